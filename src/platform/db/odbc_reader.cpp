#include "platform/db/odbc_reader.h"

#include <sqlext.h>

#include <algorithm>
#include <cstring>

#include "platform/db/date_serial.h"
#include "platform/db/fetch_watcher.h"
#include "platform/db/odbc_failure.h"
#include "platform/db/odbc_text.h"

namespace tavrello::db {

namespace {

// Bound arrays of one block stay near this size, whatever the row width.
constexpr std::size_t kBlockBytes = 4u << 20;
constexpr std::size_t kMaxBlockRows = 1024;
// Declared sizes up to these are bound as they are; longer or unsized values
// start with the smaller buffer and are fetched again in full when they overflow.
constexpr SQLULEN kMaxBoundChars = 4000;
constexpr SQLULEN kLongStartChars = 255;
constexpr SQLULEN kMaxBoundBytes = 8000;
// Chunk size for SQLGetData, in bytes.
constexpr std::size_t kChunkBytes = 64 * 1024;

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool isLongType(SQLSMALLINT t) {
  return t == SQL_LONGVARCHAR || t == SQL_WLONGVARCHAR || t == SQL_LONGVARBINARY;
}

SQLSMALLINT cTypeFor(DataType t, bool wideText) {
  switch (t) {
    case DataType::Integer: return SQL_C_SBIGINT;
    case DataType::Boolean: return SQL_C_BIT;
    case DataType::Double: return SQL_C_DOUBLE;
    case DataType::Decimal: return SQL_C_CHAR;
    case DataType::Binary: return SQL_C_BINARY;
    case DataType::Date: return SQL_C_TYPE_DATE;
    case DataType::Time: return SQL_C_TYPE_TIME;
    case DataType::DateTime: return SQL_C_TYPE_TIMESTAMP;
    default: return wideText ? SQL_C_WCHAR : SQL_C_CHAR;
  }
}

// Room for one value in a bound array, including the terminator of text.
std::size_t widthFor(DataType type, SQLSMALLINT cType, SQLSMALLINT sqlType, SQLULEN size) {
  const bool sized = size > 0 && !isLongType(sqlType);
  if (type == DataType::Text && cType == SQL_C_CHAR) {
    // UTF-8 takes up to four bytes a character.
    return (sized && size <= kMaxBoundChars ? size * 4 : kLongStartChars * 2) + 1;
  }
  switch (cType) {
    case SQL_C_SBIGINT: return sizeof(std::int64_t);
    case SQL_C_BIT: return 1;
    case SQL_C_DOUBLE: return sizeof(double);
    case SQL_C_TYPE_DATE: return sizeof(DATE_STRUCT);
    case SQL_C_TYPE_TIME: return sizeof(TIME_STRUCT);
    case SQL_C_TYPE_TIMESTAMP: return sizeof(TIMESTAMP_STRUCT);
    case SQL_C_CHAR: return (sized && size <= 100 ? size + 3 : 64) + 1;
    case SQL_C_BINARY: return sized && size <= kMaxBoundBytes ? size : kLongStartChars + 1;
    default:
      // Characters outside the basic plane take two UTF-16 units.
      return ((sized && size <= kMaxBoundChars ? size * 2 : kLongStartChars) + 1) * sizeof(SQLWCHAR);
  }
}

bool isVariable(SQLSMALLINT cType) { return cType == SQL_C_WCHAR || cType == SQL_C_CHAR || cType == SQL_C_BINARY; }

struct Slot {
  DataType type;
  SQLSMALLINT cType;
  std::size_t width;
  std::vector<std::byte> data;
  std::vector<SQLLEN> indicators;
};

class Reader {
 public:
  Reader(SQLHSTMT stmt, const OdbcReadMode& mode, const std::vector<std::string>& secrets)
      : stmt_(stmt), mode_(mode), secrets_(secrets) {}

  ~Reader() {
    // The bound arrays die with the reader: no later call may write to them.
    SQLFreeStmt(stmt_, SQL_UNBIND);
    SQLSetStmtAttr(stmt_, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(1), 0);
    SQLSetStmtAttr(stmt_, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
    SQLSetStmtAttr(stmt_, SQL_ATTR_ROW_STATUS_PTR, nullptr, 0);
  }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  std::vector<Column> read() {
    describe();
    bool canOverflow = false;
    std::size_t rowBytes = 0;
    for (const Slot& s : slots_) {
      canOverflow |= isVariable(s.cType);
      rowBytes += s.width + sizeof(SQLLEN);
    }
    if (!canOverflow || mode_.blockGetData) {
      blockRows_ = std::clamp<std::size_t>(kBlockBytes / std::max<std::size_t>(rowBytes, 1), 1, kMaxBlockRows);
      readBound();
    } else if (mode_.boundGetData) {
      blockRows_ = 1;
      readBound();
    } else {
      readUnbound();
    }
    return std::move(columns_);
  }

 private:
  void check(SQLRETURN rc) {
    if (!SQL_SUCCEEDED(rc)) throw odbcFailure(SQL_HANDLE_STMT, stmt_, rc, secrets_);
  }

  void describe() {
    SQLSMALLINT count = 0;
    check(SQLNumResultCols(stmt_, &count));
    for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
      SQLWCHAR name[512];
      SQLSMALLINT nameLength = 0, sqlType = 0, digits = 0, nullable = 0;
      SQLULEN size = 0;
      check(SQLDescribeColW(stmt_, i, name, 512, &nameLength, &sqlType, &size, &digits, &nullable));
      SQLWCHAR typeName[128] = {};
      SQLSMALLINT typeNameBytes = 0;
      SQLColAttributeW(stmt_, i, SQL_DESC_TYPE_NAME, typeName, sizeof typeName, &typeNameBytes, nullptr);
      const std::string type = fromOdbcWide(typeName, std::min<std::size_t>(typeNameBytes / sizeof(SQLWCHAR), 127));
      const DataType dataType = odbcDataType(sqlType, type);
      columns_.emplace_back(fromOdbcWide(name, std::min<std::size_t>(static_cast<std::size_t>(nameLength), 511)),
                            dataType, type);
      const SQLSMALLINT cType = cTypeFor(dataType, mode_.wideText);
      slots_.push_back(Slot{dataType, cType, widthFor(dataType, cType, sqlType, size), {}, {}});
    }
  }

  void readBound() {
    SQLULEN fetched = 0;
    std::vector<SQLUSMALLINT> status(blockRows_);
    check(SQLSetStmtAttr(stmt_, SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN), 0));
    check(SQLSetStmtAttr(stmt_, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(blockRows_), 0));
    check(SQLSetStmtAttr(stmt_, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0));
    check(SQLSetStmtAttr(stmt_, SQL_ATTR_ROW_STATUS_PTR, status.data(), 0));
    for (std::size_t c = 0; c < slots_.size(); ++c) {
      Slot& s = slots_[c];
      s.data.resize(s.width * blockRows_);
      s.indicators.resize(blockRows_);
      check(SQLBindCol(stmt_, static_cast<SQLUSMALLINT>(c + 1), s.cType, s.data.data(),
                       static_cast<SQLLEN>(s.width), s.indicators.data()));
    }
    for (;;) {
      const SQLRETURN rc = SQLFetch(stmt_);
      if (rc == SQL_NO_DATA) break;
      check(rc);
      for (std::size_t r = 0; r < fetched; ++r) {
        if (status[r] == SQL_ROW_ERROR) throw odbcFailure(SQL_HANDLE_STMT, stmt_, SQL_ERROR, secrets_);
      }
      for (std::size_t c = 0; c < slots_.size(); ++c) {
        for (std::size_t r = 0; r < fetched; ++r) {
          if (status[r] == SQL_ROW_NOROW) continue;
          appendBound(c, r);
        }
      }
      report_.rowsRead(static_cast<std::int64_t>(std::count_if(
          status.begin(), status.begin() + static_cast<std::ptrdiff_t>(fetched),
          [](SQLUSMALLINT rowStatus) { return rowStatus != SQL_ROW_NOROW; })));
    }
  }

  void readUnbound() {
    for (;;) {
      const SQLRETURN rc = SQLFetch(stmt_);
      if (rc == SQL_NO_DATA) break;
      check(rc);
      for (std::size_t c = 0; c < slots_.size(); ++c) appendFetched(c);
      report_.rowsRead(1);
    }
  }

  void appendBound(std::size_t c, std::size_t r) {
    Slot& s = slots_[c];
    Column& column = columns_[c];
    const SQLLEN indicator = s.indicators[r];
    if (indicator == SQL_NULL_DATA) {
      column.appendNull();
      return;
    }
    const std::byte* p = s.data.data() + r * s.width;
    const bool overflow = indicator == SQL_NO_TOTAL ||
                          (s.cType == SQL_C_WCHAR && static_cast<std::size_t>(indicator) > s.width - sizeof(SQLWCHAR)) ||
                          (s.cType == SQL_C_CHAR && static_cast<std::size_t>(indicator) > s.width - 1) ||
                          (s.cType == SQL_C_BINARY && static_cast<std::size_t>(indicator) > s.width);
    if (overflow && isVariable(s.cType)) {
      if (blockRows_ > 1) {
        check(SQLSetPos(stmt_, static_cast<SQLSETPOSIROW>(r + 1), SQL_POSITION, SQL_LOCK_NO_CHANGE));
      }
      appendFetched(c);
      return;
    }
    appendValue(column, s, p, static_cast<std::size_t>(indicator));
  }

  // The value of column c in the current row through SQLGetData.
  void appendFetched(std::size_t c) {
    const SQLUSMALLINT number = static_cast<SQLUSMALLINT>(c + 1);
    const Slot& slot = slots_[c];
    const SQLSMALLINT cType = slot.cType;
    Column& column = columns_[c];
    if (!isVariable(cType)) {
      alignas(8) std::byte value[sizeof(TIMESTAMP_STRUCT)];
      SQLLEN indicator = 0;
      check(SQLGetData(stmt_, number, cType, value, sizeof value, &indicator));
      if (indicator == SQL_NULL_DATA) column.appendNull();
      else appendValue(column, slot, value, static_cast<std::size_t>(indicator));
      return;
    }
    // Text arrives with a terminator in every chunk; bytes do not.
    const std::size_t terminator = cType == SQL_C_WCHAR ? sizeof(SQLWCHAR) : cType == SQL_C_CHAR ? 1 : 0;
    chunk_.resize(kChunkBytes);
    whole_.clear();
    for (;;) {
      SQLLEN indicator = 0;
      const SQLRETURN rc = SQLGetData(stmt_, number, cType, chunk_.data(), static_cast<SQLLEN>(chunk_.size()), &indicator);
      if (rc == SQL_NO_DATA) break;
      check(rc);
      if (indicator == SQL_NULL_DATA) {
        column.appendNull();
        return;
      }
      const std::size_t room = chunk_.size() - terminator;
      const std::size_t got =
          indicator == SQL_NO_TOTAL || static_cast<std::size_t>(indicator) > room ? room : static_cast<std::size_t>(indicator);
      whole_.append(reinterpret_cast<const char*>(chunk_.data()), got);
      if (rc == SQL_SUCCESS) break;
    }
    appendValue(column, slot, reinterpret_cast<const std::byte*>(whole_.data()), whole_.size());
  }

  void appendValue(Column& column, const Slot& slot, const std::byte* p, std::size_t length) {
    switch (slot.cType) {
      case SQL_C_SBIGINT: {
        std::int64_t v;
        std::memcpy(&v, p, sizeof v);
        column.appendInteger(v);
        break;
      }
      case SQL_C_BIT: column.appendBoolean(std::to_integer<unsigned>(*p) != 0); break;
      case SQL_C_DOUBLE: {
        double v;
        std::memcpy(&v, p, sizeof v);
        column.appendDouble(v);
        break;
      }
      case SQL_C_TYPE_DATE: {
        DATE_STRUCT d;
        std::memcpy(&d, p, sizeof d);
        column.appendSerial(dateSerial(d.year, d.month, d.day), DataType::Date);
        break;
      }
      case SQL_C_TYPE_TIME: {
        TIME_STRUCT t;
        std::memcpy(&t, p, sizeof t);
        column.appendSerial(timeFraction(t.hour, t.minute, t.second), DataType::Time);
        break;
      }
      case SQL_C_TYPE_TIMESTAMP: {
        TIMESTAMP_STRUCT t;
        std::memcpy(&t, p, sizeof t);
        column.appendSerial(dateSerial(t.year, t.month, t.day) + timeFraction(t.hour, t.minute, t.second + t.fraction / 1e9),
                            DataType::DateTime);
        break;
      }
      case SQL_C_CHAR:
        if (slot.type == DataType::Decimal) column.appendDecimal(std::string_view(reinterpret_cast<const char*>(p), length));
        else column.appendText(std::string_view(reinterpret_cast<const char*>(p), length));
        break;
      case SQL_C_BINARY: column.appendBytes({p, length}); break;
      default:
        const std::size_t units = length / sizeof(SQLWCHAR);
        // Grown, never shrunk or cleared: no fill per value.
        if (text_.size() < units * 3) text_.resize(units * 3);
        column.appendText(
            std::string_view(text_.data(), writeUtf8(text_.data(), reinterpret_cast<const SQLWCHAR*>(p), units)));
        break;
    }
  }

  SQLHSTMT stmt_;
  OdbcReadMode mode_;
  const std::vector<std::string>& secrets_;
  std::vector<Column> columns_;
  RowReport report_;
  std::vector<Slot> slots_;
  std::size_t blockRows_ = 1;
  std::vector<std::byte> chunk_;
  std::string whole_;
  std::string text_;
};

}  // namespace

DataType odbcDataType(SQLSMALLINT sqlType, std::string_view typeName) {
  // "DECIMAL(10,2)" names a decimal as well as "decimal" does.
  std::string name = lower(typeName.substr(0, typeName.find('(')));
  while (!name.empty() && name.back() == ' ') name.pop_back();
  switch (sqlType) {
    case SQL_BIT: return DataType::Boolean;
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT: return DataType::Integer;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE: return DataType::Double;
    case SQL_DECIMAL:
    case SQL_NUMERIC: return DataType::Decimal;
    case SQL_TYPE_DATE:
    case SQL_DATE: return DataType::Date;
    case SQL_TYPE_TIME:
    case SQL_TIME: return DataType::Time;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP: return DataType::DateTime;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY: return DataType::Binary;
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_WCHAR:
    case SQL_WVARCHAR:
      if (name == "bool" || name == "boolean") return DataType::Boolean;
      if (name == "decimal" || name == "numeric") return DataType::Decimal;
      return DataType::Text;
    default: return DataType::Text;
  }
}

std::vector<Column> readOdbcResult(SQLHSTMT stmt, const OdbcReadMode& mode, const std::vector<std::string>& secrets) {
  Reader reader(stmt, mode, secrets);
  return reader.read();
}

}  // namespace tavrello::db
