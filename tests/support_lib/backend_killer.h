#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "platform/db/connection.h"
#include "platform/system/failure.h"

namespace tavrello::testing {

// A PostgreSQL server process that dies under its client: from a connection
// of its own, terminates the backend that runs a statement holding `marker`
// once the statement has run for a moment (its rows are on their way), as an
// administrator or a crash would. Gives up after 60 seconds. Header-only;
// link the database library.
class BackendKiller {
 public:
  BackendKiller(const std::string& connectionString, const std::string& marker)
      : thread_([this, connectionString, marker] { run(connectionString, marker); }) {}
  ~BackendKiller() {
    stop_ = true;
    thread_.join();
  }
  BackendKiller(const BackendKiller&) = delete;
  BackendKiller& operator=(const BackendKiller&) = delete;

  // Whether it terminated the backend. The client can see its connection
  // die before the killer's own statement returns, so this waits a moment
  // for the killer to finish looking.
  bool killed() const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!killed_ && !done_ && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return killed_;
  }
  // Why it could not look for the backend, if it could not.
  std::string failure() const { return failureSeen_ ? failure_ : std::string(); }

 private:
  void run(const std::string& connectionString, const std::string& marker) {
    try {
      db::Connection connection;
      connection.Open(connectionString);
      const std::string kill =
          "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE state = 'active' AND pid <> pg_backend_pid() "
          "AND now() - query_start > interval '300 milliseconds' AND position('" + marker + "' in query) > 0";
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
      while (!stop_ && !killed_ && std::chrono::steady_clock::now() < deadline) {
        if (connection.Execute(kill)->rowCount() > 0) killed_ = true;
        else std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
    } catch (const Failure& failure) {
      failure_ = failure.toString();
      failureSeen_ = true;
    }
    done_ = true;
  }

  std::atomic<bool> stop_ = false;
  std::atomic<bool> killed_ = false;
  std::atomic<bool> failureSeen_ = false;
  std::atomic<bool> done_ = false;
  std::string failure_;
  std::thread thread_;
};

// A statement that sends its rows slowly, for about `seconds` (a row each
// two milliseconds or so), and holds `marker` for BackendKiller to find it
// by: as a value, since the query window's builder drops comments. The
// sleep sits in a CASE of a column the client reads, so that the server
// cannot leave it out.
inline std::string slowStatement(const std::string& marker, int seconds = 20) {
  return "SELECT g AS n, CASE WHEN pg_sleep(0.001) IS NULL THEN 'row ' || g ELSE 'row ' || g END AS label, '" + marker +
         "' AS tag FROM generate_series(1, " + std::to_string(seconds * 500) + ") AS g";
}

}  // namespace tavrello::testing
