#include "platform/db/file_dsn.h"

#include <gtest/gtest.h>

#include "support_lib/test_env.h"

namespace tavrello::db {
namespace {

using tavrello::testing::TempDir;
using tavrello::testing::writeFile;

std::string expand(const std::string& text) { return expandFileDsn(ConnectionString::parse(text)); }

TEST(FileDsn, StringWithoutFileDsnIsUnchanged) { EXPECT_EQ(expand("DSN=a; UID = u"), "DSN=a; UID = u"); }

TEST(FileDsn, KeysOfTheOdbcSectionJoinTheStringWhichWins) {
  TempDir dir;
  writeFile(dir / "sales.dsn",
            "; saved by the data source tool\n[Other]\nDRIVER=Wrong\n[ODBC]\nDRIVER=SQLite3\n Database = /data/s.db \n"
            "UID=fromfile\nTimeout={5;6}\n");
  EXPECT_EQ(expand("FILEDSN=" + (dir / "sales.dsn").string() + ";UID=app;"),
            "DRIVER=SQLite3;Database=/data/s.db;Timeout={5;6};UID=app;");
}

TEST(FileDsn, ExtensionIsAddedWhenMissing) {
  TempDir dir;
  writeFile(dir / "plain.dsn", "[ODBC]\nDSN=x\n");
  EXPECT_EQ(expand("FILEDSN=" + (dir / "plain").string()), "DSN=x;");
}

TEST(FileDsn, MissingFileOrSectionIsAFailureNamingTheFile) {
  TempDir dir;
  try {
    expand("FILEDSN=" + (dir / "none.dsn").string());
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), 53);
    EXPECT_NE(f.description().find("none.dsn"), std::string::npos);
  }
  writeFile(dir / "empty.dsn", "DRIVER=x\n");
  try {
    expand("FILEDSN=" + (dir / "empty.dsn").string());
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_NE(f.description().find("no [ODBC] section"), std::string::npos);
  }
}

}  // namespace
}  // namespace tavrello::db
