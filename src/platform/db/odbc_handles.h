#pragma once

#include <sql.h>
#include <sqlext.h>

#include <utility>

namespace tavrello::db {

// Owns one ODBC handle of the kind `Type` (SQL_HANDLE_ENV, SQL_HANDLE_DBC or
// SQL_HANDLE_STMT) and frees it when destroyed. A connection handle that has
// been connected (markConnected) is disconnected first. Owners declare their
// handles environment first, so members release statement, connection,
// environment in that order.
template <SQLSMALLINT Type>
class OdbcHandle {
 public:
  OdbcHandle() = default;
  ~OdbcHandle() {
    if (!handle_) return;
    if constexpr (Type == SQL_HANDLE_DBC) {
      if (connected_) SQLDisconnect(handle_);
    }
    SQLFreeHandle(Type, handle_);
  }
  OdbcHandle(OdbcHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, nullptr)), connected_(std::exchange(other.connected_, false)) {}
  OdbcHandle& operator=(OdbcHandle&&) = delete;
  OdbcHandle(const OdbcHandle&) = delete;
  OdbcHandle& operator=(const OdbcHandle&) = delete;

  SQLHANDLE get() const { return handle_; }
  SQLHANDLE* out() { return &handle_; }
  void markConnected() { connected_ = true; }

 private:
  SQLHANDLE handle_ = nullptr;
  bool connected_ = false;
};

using OdbcEnvironment = OdbcHandle<SQL_HANDLE_ENV>;
using OdbcConnectionHandle = OdbcHandle<SQL_HANDLE_DBC>;
using OdbcStatement = OdbcHandle<SQL_HANDLE_STMT>;

}  // namespace tavrello::db
