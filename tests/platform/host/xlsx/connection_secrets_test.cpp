#include "platform/host/xlsx/connection_secrets.h"

#include <gtest/gtest.h>

namespace tavrello::host::xlsx {
namespace {

TEST(ConnectionSecrets, PasswordPairsGoInEveryLetterCaseAndPlace) {
  EXPECT_EQ(withoutPasswords("DSN=Sales;UID=app;PWD=s3cret;"), "DSN=Sales;UID=app;");
  EXPECT_EQ(withoutPasswords("Pwd=s3cret;DSN=Sales"), "DSN=Sales");
  EXPECT_EQ(withoutPasswords("DSN=Sales;Password = {a;b=c};UID=x"), "DSN=Sales;UID=x");
  EXPECT_EQ(withoutPasswords("Provider=SQLOLEDB;Data Source=srv;User ID=u;password=\"p;w\""),
            "Provider=SQLOLEDB;Data Source=srv;User ID=u;");
}

TEST(ConnectionSecrets, OtherPairsStayExactlyAsWritten) {
  EXPECT_EQ(withoutPasswords("Driver={PostgreSQL Unicode};Server=db; Port=5432 ;Database=x;"),
            "Driver={PostgreSQL Unicode};Server=db; Port=5432 ;Database=x;");
  EXPECT_EQ(withoutPasswords("DSN=PWDstore;UID=pwd_user"), "DSN=PWDstore;UID=pwd_user");
}

TEST(ConnectionSecrets, APasswordInsideExtendedPropertiesIsRemovedToo) {
  std::string s = "Provider=MSDASQL.1;Persist Security Info=True;Extended Properties=\"DSN=Sales;UID=a;PWD=x;\"";
  std::string stripped = withoutPasswords(s);
  EXPECT_EQ(stripped.find("PWD"), std::string::npos);
  EXPECT_NE(stripped.find("DSN=Sales;UID=a;"), std::string::npos);
  EXPECT_NE(stripped.find("Provider=MSDASQL.1;"), std::string::npos);
}

TEST(ConnectionSecrets, AMalformedStringStillLosesItsPassword) {
  // An unclosed brace: the syntax cannot read it, the password still goes.
  std::string stripped = withoutPasswords("DSN=x;PWD=hunter2;Driver={broken");
  EXPECT_EQ(stripped.find("hunter2"), std::string::npos);
  EXPECT_NE(stripped.find("DSN=x;"), std::string::npos);
}

}  // namespace
}  // namespace tavrello::host::xlsx
