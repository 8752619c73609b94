#include "platform/db/sample_database.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/db/date_serial.h"
#include "platform/db/generator_random.h"
#include "platform/db/sqlite_writer.h"

namespace tavrello::db {

namespace {

constexpr int kCustomers = 600;
constexpr int kProducts = 200;
constexpr int kOrders = 2400;

// Customers come from these markets; each has names written as its people
// write them (family name first where that is the custom).
struct Market {
  const char* country;
  std::vector<const char*> cities;
  std::vector<const char*> given;
  std::vector<const char*> family;
  bool familyFirst;
  const char* phonePrefix;
};

const std::vector<Market>& markets() {
  static const std::vector<Market> list = {
      {"United Kingdom", {"London", "Manchester", "Edinburgh"}, {"Mary", "Oliver", "Amelia", "George"},
       {"Smith", "Brown", "O'Neill", "Taylor"}, false, "+44"},
      {"Deutschland", {"München", "Köln", "Düsseldorf"}, {"Jürgen", "Zoë", "Lena", "Matthias"},
       {"Müller", "Schäfer", "Weiß", "Groß"}, false, "+49"},
      {"France", {"Paris", "Besançon", "Orléans"}, {"Chloé", "François", "Hélène", "Noël"},
       {"Lefèvre", "Dubois", "Gérard", "Mercier"}, false, "+33"},
      {"España", {"Madrid", "Córdoba", "Cádiz"}, {"José", "María", "Íñigo", "Lucía"},
       {"García", "Núñez", "Muñoz", "López"}, false, "+34"},
      {"Polska", {"Kraków", "Łódź", "Gdańsk"}, {"Łukasz", "Zofia", "Wojciech", "Małgorzata"},
       {"Kowalski", "Wiśniewska", "Zieliński", "Wójcik"}, false, "+48"},
      {"Ελλάδα", {"Αθήνα", "Θεσσαλονίκη", "Πάτρα"}, {"Ιωάννα", "Νίκος", "Ελένη", "Γιώργος"},
       {"Παπαδοπούλου", "Γεωργίου", "Οικονόμου", "Δημητρίου"}, false, "+30"},
      {"Россия", {"Москва", "Санкт-Петербург", "Казань"}, {"Дмитрий", "Ольга", "Сергей", "Наталья"},
       {"Иванов", "Смирнова", "Кузнецов", "Попова"}, false, "+7"},
      {"日本", {"東京", "大阪", "京都"}, {"太郎", "美咲", "健", "さくら"}, {"山田", "佐藤", "鈴木", "高橋"}, true, "+81"},
      {"中国", {"北京", "上海", "广州"}, {"伟", "芳", "娜", "强"}, {"王", "李", "张", "刘"}, true, "+86"},
      {"대한민국", {"서울", "부산", "인천"}, {"민준", "서연", "지호", "하은"}, {"김", "이", "박", "최"}, true, "+82"},
      {"Türkiye", {"İstanbul", "Ankara", "İzmir"}, {"Ayşe", "Mehmet", "Zeynep", "Çağrı"},
       {"Yılmaz", "Öztürk", "Şahin", "Çelik"}, false, "+90"},
      {"Việt Nam", {"Hà Nội", "Đà Nẵng", "Huế"}, {"Ngọc", "Minh", "Thảo", "Dũng"},
       {"Nguyễn", "Trần", "Lê", "Phạm"}, true, "+84"},
  };
  return list;
}

struct ProductLine {
  const char* category;
  const char* name;
  double basePrice;
};

const std::vector<ProductLine>& productLines() {
  static const std::vector<ProductLine> list = {
      {"Coffee", "Espresso Röstung", 8.9},       {"Coffee", "Café de Colombia", 9.5},
      {"Coffee", "Кофе «Утро»", 7.25},           {"Coffee", "コーヒー 深煎り", 11.0},
      {"Tea", "Earl Grey", 5.5},                 {"Tea", "Τσάι του βουνού", 6.75},
      {"Tea", "Чай с бергамотом", 5.95},         {"Tea", "緑茶 煎茶", 12.4},
      {"Tea", "龙井茶", 14.8},                   {"Tea", "Thé à la menthe", 6.2},
      {"Kitchen", "Crème brûlée set", 24.99},    {"Kitchen", "Moka pot", 31.5},
      {"Kitchen", "Teekanne Glas", 19.9},        {"Kitchen", "Κούπα κεραμική", 9.9},
      {"Kitchen", "도자기 머그", 15.0},          {"Stationery", "Notebook A5", 4.5},
      {"Stationery", "Füllfederhalter", 42.0},   {"Stationery", "Tinta azul", 3.8},
      {"Books", "Café culture — a history", 18.5}, {"Books", "Книга о чае", 16.0},
  };
  return list;
}

constexpr const char* kVariants[] = {"250 g", "500 g", "1 kg", "Gift box", "Refill", "Travel size",
                                     "Limited édition", "Family pack", "Sample", "Organic"};
constexpr const char* kStatuses[] = {"delivered", "delivered", "delivered", "shipped", "pending", "cancelled"};
constexpr const char* kNotes[] = {"Leave with the neighbour",     "Bitte nicht knicken", "Livraison le matin",
                                  "Позвонить за час",             "贈り物用に包装",      "Παράδοση μετά τις 5",
                                  "Invoice to the company, please", "Entregar en portería"};

std::string email(const std::string& given, int id) {
  // Mail addresses stay ASCII: names in other letters get a plain one.
  std::string local;
  for (unsigned char c : given) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return "customer." + std::to_string(id) + "@example.com";
    local += static_cast<char>(c | 0x20);
  }
  return local + "." + std::to_string(id) + "@example.com";
}

void writeCustomers(SqliteWriter& w, GeneratorRandom& random) {
  w.exec(
      "CREATE TABLE customers (id INTEGER PRIMARY KEY, name VARCHAR(80) NOT NULL, email VARCHAR(120), "
      "city VARCHAR(60), country VARCHAR(60), phone VARCHAR(30), joined DATE, vip BOOLEAN NOT NULL)");
  w.prepare("INSERT INTO customers VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
  for (int id = 1; id <= kCustomers; ++id) {
    const Market& m = markets()[random.below(markets().size())];
    const std::string given = m.given[random.below(m.given.size())];
    const std::string family = m.family[random.below(m.family.size())];
    const std::string name = m.familyFirst ? family + " " + given : given + " " + family;
    w.bind(1, std::int64_t{id});
    w.bind(2, std::string_view(name));
    w.bind(3, std::string_view(email(given, id)));
    w.bind(4, std::string_view(m.cities[random.below(m.cities.size())]));
    w.bind(5, std::string_view(m.country));
    if (random.percent(20)) {
      w.bindNull(6);
    } else {
      const std::string phone = std::string(m.phonePrefix) + " " + std::to_string(random.between(100000000, 999999999));
      w.bind(6, std::string_view(phone));
    }
    const double joined = dateSerial(2018, 1, 1) + static_cast<double>(random.below(2200));
    w.bind(7, std::string_view(formatSerial(joined, DataType::Date)));
    w.bind(8, std::int64_t{random.percent(10) ? 1 : 0});
    w.insertRow();
  }
}

std::vector<double> writeProducts(SqliteWriter& w, GeneratorRandom& random) {
  w.exec(
      "CREATE TABLE products (id INTEGER PRIMARY KEY, code VARCHAR(12) NOT NULL UNIQUE, name VARCHAR(120) NOT NULL, "
      "category VARCHAR(40), unit_price DECIMAL(10,2) NOT NULL, in_stock INTEGER, discontinued BOOLEAN NOT NULL)");
  w.prepare("INSERT INTO products VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
  std::vector<double> prices(kProducts + 1);
  for (int id = 1; id <= kProducts; ++id) {
    const ProductLine& line = productLines()[static_cast<std::size_t>(id - 1) % productLines().size()];
    const char* variant = kVariants[static_cast<std::size_t>(id - 1) / productLines().size() % std::size(kVariants)];
    const double price = std::round(line.basePrice * (0.8 + static_cast<double>(random.below(80)) / 100.0) * 100) / 100;
    prices[static_cast<std::size_t>(id)] = price;
    char code[16];
    std::snprintf(code, sizeof code, "SKU-%04d", id);
    const std::string name = std::string(line.name) + ", " + variant;
    w.bind(1, std::int64_t{id});
    w.bind(2, std::string_view(code));
    w.bind(3, std::string_view(name));
    w.bind(4, std::string_view(line.category));
    w.bind(5, price);
    if (random.percent(5)) w.bindNull(6);
    else w.bind(6, static_cast<std::int64_t>(random.below(500)));
    w.bind(7, std::int64_t{random.percent(8) ? 1 : 0});
    w.insertRow();
  }
  return prices;
}

void writeOrders(SqliteWriter& w, GeneratorRandom& random, const std::vector<double>& prices) {
  w.exec(
      "CREATE TABLE orders (id INTEGER PRIMARY KEY, customer_id INTEGER NOT NULL REFERENCES customers(id), "
      "ordered_at TIMESTAMP NOT NULL, shipped_on DATE, status VARCHAR(20) NOT NULL, note TEXT)");
  w.exec(
      "CREATE TABLE order_items (order_id INTEGER NOT NULL REFERENCES orders(id), line INTEGER NOT NULL, "
      "product_id INTEGER NOT NULL REFERENCES products(id), quantity INTEGER NOT NULL, "
      "unit_price DECIMAL(10,2) NOT NULL, discount REAL, PRIMARY KEY (order_id, line))");
  struct Item {
    std::int64_t product, quantity;
    double price;
    std::optional<double> discount;
  };
  std::vector<std::vector<Item>> items(kOrders + 1);
  w.prepare("INSERT INTO orders VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
  for (int id = 1; id <= kOrders; ++id) {
    const double orderedAt = dateSerial(2020, 1, 1) + static_cast<double>(random.below(1827)) +
                             static_cast<double>(random.between(7 * 3600, 22 * 3600)) / 86400.0;
    const char* status = kStatuses[random.below(std::size(kStatuses))];
    w.bind(1, std::int64_t{id});
    w.bind(2, random.between(1, kCustomers));
    w.bind(3, std::string_view(formatSerial(std::round(orderedAt * 86400) / 86400, DataType::DateTime)));
    const bool shipped = std::string_view(status) == "delivered" || std::string_view(status) == "shipped";
    if (shipped) {
      const double day = std::floor(orderedAt) + static_cast<double>(random.between(1, 7));
      w.bind(4, std::string_view(formatSerial(day, DataType::Date)));
    } else {
      w.bindNull(4);
    }
    w.bind(5, std::string_view(status));
    if (random.percent(75)) w.bindNull(6);
    else w.bind(6, std::string_view(kNotes[random.below(std::size(kNotes))]));
    w.insertRow();
    const std::int64_t lines = random.between(1, 5);
    for (std::int64_t line = 0; line < lines; ++line) {
      const std::int64_t product = random.between(1, kProducts);
      std::optional<double> discount;
      if (random.percent(15)) discount = static_cast<double>(random.between(1, 6)) * 0.05;
      items[static_cast<std::size_t>(id)].push_back(
          {product, random.between(1, 12), prices[static_cast<std::size_t>(product)], discount});
    }
  }
  w.prepare("INSERT INTO order_items VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
  for (int id = 1; id <= kOrders; ++id) {
    std::int64_t line = 0;
    for (const Item& item : items[static_cast<std::size_t>(id)]) {
      w.bind(1, std::int64_t{id});
      w.bind(2, ++line);
      w.bind(3, item.product);
      w.bind(4, item.quantity);
      w.bind(5, item.price);
      if (item.discount) w.bind(6, *item.discount);
      else w.bindNull(6);
      w.insertRow();
    }
  }
}

}  // namespace

void createSampleDatabase(const std::filesystem::path& file) {
  SqliteWriter writer(file);
  GeneratorRandom random(1995);
  writeCustomers(writer, random);
  const std::vector<double> prices = writeProducts(writer, random);
  writeOrders(writer, random, prices);
  writer.exec(
      "CREATE VIEW order_totals AS "
      "SELECT o.id AS order_id, o.customer_id AS customer_id, c.name AS customer, c.country AS country, o.ordered_at AS ordered_at, "
      "o.status AS status, "
      "CAST(round(sum(i.quantity * i.unit_price * (1 - coalesce(i.discount, 0))), 2) AS DECIMAL(12,2)) AS total "
      "FROM orders o JOIN customers c ON c.id = o.customer_id JOIN order_items i ON i.order_id = o.id "
      "GROUP BY o.id");
  writer.exec(
      "CREATE VIEW customer_sales AS "
      "SELECT c.id AS customer_id, c.name AS customer, c.city AS city, c.country AS country, "
      "count(t.order_id) AS orders, round(coalesce(sum(t.total), 0), 2) AS revenue "
      "FROM customers c LEFT JOIN order_totals t ON t.customer_id = c.id "
      "GROUP BY c.id");
  writer.exec("CREATE INDEX orders_customer ON orders(customer_id); CREATE INDEX items_product ON order_items(product_id)");
  writer.commit();
}

}  // namespace tavrello::db
