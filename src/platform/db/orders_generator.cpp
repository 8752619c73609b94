#include "platform/db/orders_generator.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "platform/db/date_serial.h"
#include "platform/db/generator_random.h"
#include "platform/db/sqlite_writer.h"

namespace tavrello::db {

namespace {

constexpr const char* kFirstNames[] = {"Anna",  "José",   "Zoë",     "Łukasz", "Björn",  "Mary",   "Ahmed",
                                       "Chloé", "Ιωάννα", "Дмитрий", "Ольга",  "太郎",   "美咲",   "Pedro",
                                       "Sven",  "Ayşe",   "Ngọc",    "Fatima", "Oliver", "Émilie"};
constexpr const char* kLastNames[] = {"Smith",   "Müller",    "García", "Kowalski",  "Papadopoulos", "Иванова",
                                      "山田",    "Dubois",    "Rossi",  "Johansson", "Nakamura",     "Øster",
                                      "Jensen",  "Petrović",  "Brown",  "Nguyễn",    "Schäfer",      "Yılmaz",
                                      "O'Brien", "Van Dijk"};
constexpr const char* kCities[] = {"London", "München", "São Paulo", "Москва",    "東京",    "Αθήνα",  "Kraków",
                                   "Zürich", "Reykjavík", "Paris",   "New York",  "Córdoba", "Malmö",  "İstanbul",
                                   "Łódź",   "Sydney",    "Québec",  "Helsinki",  "서울",    "Praha"};
constexpr const char* kNotes[] = {"Leave at the door",       "Gift wrap, please",      "Lieferung an Nachbarn",
                                  "Оставить у двери",        "請勿折疊",               "Παράδοση το πρωί",
                                  "Call before delivery",    "Fragile; handle with care", "Livraison après 18 h",
                                  "Express — next day",      "Invoice to head office", "Ring twice"};

template <class T, std::size_t N>
constexpr std::size_t countOf(const T (&)[N]) {
  return N;
}

// 2015-01-01 to 2024-12-31.
const double kFirstDay = dateSerial(2015, 1, 1);
const double kLastDay = dateSerial(2024, 12, 31);

}  // namespace

void generateOrders(std::int64_t rows, const std::function<void(const OrderRow&)>& row) {
  GeneratorRandom random(20240229);
  std::string name, product, orderDate, shippedAt;
  for (std::int64_t id = 1; id <= rows; ++id) {
    const std::int64_t customer = random.between(1, 50000);
    // A customer keeps one name and city across all orders.
    const auto customerHash = static_cast<std::uint64_t>(customer) * 2654435761u;
    name = kFirstNames[customerHash % countOf(kFirstNames)];
    name += ' ';
    name += kLastNames[(customerHash / 31) % countOf(kLastNames)];
    const char* city = kCities[(customerHash / 977) % countOf(kCities)];
    char buffer[32];
    const std::int64_t productId = random.between(1, 5000);
    std::snprintf(buffer, sizeof buffer, "P-%05lld", static_cast<long long>(productId));
    product = buffer;
    const std::int64_t quantity = random.between(1, 20);
    const double unitPrice = static_cast<double>(100 + (productId * 7919) % 50000) / 100.0;
    const double amount = std::round(unitPrice * static_cast<double>(quantity) * 100.0) / 100.0;
    const double day = kFirstDay + static_cast<double>(random.below(static_cast<std::uint64_t>(kLastDay - kFirstDay + 1)));
    orderDate = formatSerial(day, DataType::Date);
    const double shipped = day + static_cast<double>(random.between(0, 10)) +
                           static_cast<double>(random.between(8 * 3600, 19 * 3600)) / 86400.0;
    shippedAt = formatSerial(std::round(shipped * 86400.0) / 86400.0, DataType::DateTime);
    std::optional<std::string_view> note;
    if (!random.percent(30)) note = kNotes[random.below(countOf(kNotes))];
    row(OrderRow{id, customer, name, city, product, amount, quantity, orderDate, shippedAt, note});
  }
}

void createOrdersDatabase(const std::filesystem::path& file, std::int64_t rows) {
  SqliteWriter writer(file);
  writer.exec(
      "CREATE TABLE orders (id INTEGER PRIMARY KEY, customer_id INTEGER NOT NULL, customer_name VARCHAR(60), "
      "city VARCHAR(40), product_code VARCHAR(12), amount REAL, quantity INTEGER, order_date DATE, "
      "shipped_at TIMESTAMP, note TEXT)");
  writer.prepare("INSERT INTO orders VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
  generateOrders(rows, [&](const OrderRow& o) {
    writer.bind(1, o.id);
    writer.bind(2, o.customerId);
    writer.bind(3, o.customerName);
    writer.bind(4, o.city);
    writer.bind(5, o.productCode);
    writer.bind(6, o.amount);
    writer.bind(7, o.quantity);
    writer.bind(8, o.orderDate);
    writer.bind(9, o.shippedAt);
    writer.bind(10, o.note);
    writer.insertRow();
  });
  writer.commit();
}

}  // namespace tavrello::db
