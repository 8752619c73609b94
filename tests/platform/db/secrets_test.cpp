#include "platform/db/secrets.h"

#include <gtest/gtest.h>

namespace tavrello::db {
namespace {

TEST(Secrets, PasswordsOfPwdAndPasswordKeysInAnyCase) {
  auto secrets = passwordsOf(ConnectionString::parse("UID=u;pwd=alpha123;PASSWORD=beta456;Server=s"));
  EXPECT_EQ(secrets.size(), 2u);
  EXPECT_EQ(redact("alpha123 and beta456", secrets), "**** and ****");
}

TEST(Secrets, BothTheUnquotedAndTheWrittenFormAreRemoved) {
  auto secrets = passwordsOf(ConnectionString::parse("Pwd={pa}}ss;word};"));
  EXPECT_EQ(redact("login pa}ss;word failed", secrets), "login **** failed");
  EXPECT_EQ(redact("echo Pwd={pa}}ss;word};", secrets), "echo Pwd=****;");
}

TEST(Secrets, ShortPasswordsAreRemovedOnlyAsWordsOfTheirOwn) {
  auto secrets = passwordsOf(ConnectionString::parse("PWD=ab"));
  EXPECT_EQ(redact("PWD=ab; table abc", secrets), "PWD=****; table abc");
}

TEST(Secrets, LongerPasswordIsReplacedBeforeOneItContains) {
  auto secrets = passwordsOf(ConnectionString::parse("PWD=secret;Password=secret99"));
  EXPECT_EQ(redact("x secret99 y", secrets), "x **** y");
}

TEST(Secrets, NoPasswordLeavesTheTextAlone) {
  EXPECT_TRUE(passwordsOf(ConnectionString::parse("DSN=a;PWD=;")).empty());
  EXPECT_EQ(redact("nothing", {}), "nothing");
}

TEST(Secrets, MaskingKeepsTheKeyAndShowsStarsForBracedQuotedAndPlainValues) {
  EXPECT_EQ(hidePasswords("DSN=Sales;UID=app;PWD=s3cret;", PasswordHiding::Mask), "DSN=Sales;UID=app;PWD=***;");
  EXPECT_EQ(hidePasswords("Driver={PostgreSQL Unicode};Password = {a;b=c};UID=x", PasswordHiding::Mask),
            "Driver={PostgreSQL Unicode};Password =***;UID=x");
  EXPECT_EQ(hidePasswords("pwd=\"p;w\"", PasswordHiding::Mask), "pwd=***");
  EXPECT_EQ(hidePasswords("PWD='it''s';Server=s", PasswordHiding::Mask), "PWD=***;Server=s");
  EXPECT_EQ(hidePasswords("DSN=PWDstore;UID=pwd_user", PasswordHiding::Mask), "DSN=PWDstore;UID=pwd_user");
  EXPECT_EQ(hidePasswords("PWD=a;pwd=b", PasswordHiding::Mask), "PWD=***;pwd=***") << "every occurrence";
  EXPECT_EQ(hidePasswords("", PasswordHiding::Mask), "");
}

TEST(Secrets, MaskingReachesExtendedPropertiesAndMalformedStrings) {
  const std::string nested =
      hidePasswords("Provider=MSDASQL;Extended Properties=\"DSN=Sales;PWD=x1y2z3;\"", PasswordHiding::Mask);
  EXPECT_EQ(nested.find("x1y2z3"), std::string::npos) << nested;
  EXPECT_NE(nested.find("PWD=***;"), std::string::npos) << nested;
  // An unclosed brace: the syntax cannot read it, and the password is still hidden.
  EXPECT_EQ(hidePasswords("DSN=x;PWD=hunter2;Driver={broken", PasswordHiding::Mask), "DSN=x;PWD=***;Driver={broken");
  EXPECT_EQ(hidePasswords("DSN=x;Password={hunter2", PasswordHiding::Mask), "DSN=x;Password=***");
  EXPECT_EQ(hidePasswords("DSN=x;PWD=hunter2;Driver={broken", PasswordHiding::Remove), "DSN=x;Driver={broken");
  // Any blank between the key and its "=", a line end too.
  EXPECT_EQ(hidePasswords("DSN=x;PWD\r\n =hunter2;Driver={broken", PasswordHiding::Mask),
            "DSN=x;PWD\r\n =***;Driver={broken");
}

// Removing a pair from text that does not parse must not join what stood
// before and after it into a password key with a value (a fuzzer's find).
TEST(Secrets, RemovingFromMalformedTextFormsNoNewPasswordPair) {
  EXPECT_EQ(hidePasswords("#pwd pwd = s3cret;= s3cret;tail", PasswordHiding::Remove), "#tail");
  const std::string chained = hidePasswords("pwd pwd pwd pwd=a;=a;=a;=a;end", PasswordHiding::Remove);
  EXPECT_EQ(chained.find("=a"), std::string::npos) << chained;
  EXPECT_EQ(hidePasswords("#pwd pwd = s3cret;= s3cret;tail", PasswordHiding::Mask), "#pwd pwd =***;= s3cret;tail")
      << "masking keeps the key, so nothing joins";
}

// A string whose values nest connection strings without end (a hostile
// workbook's) is read a few levels deep and the rest by its text: what comes
// out does not grow with every level, and holds no password however deep.
TEST(Secrets, ValuesNestedWithoutEndAreHiddenWithoutGrowing) {
  std::string nested = "PWD=deep-secret";
  for (int level = 0; level < 40; ++level) nested = "K" + std::to_string(level) + "=" + nested + ";PWD=x" + std::to_string(level);
  for (PasswordHiding how : {PasswordHiding::Remove, PasswordHiding::Mask}) {
    const std::string hidden = hidePasswords(nested, how);
    EXPECT_EQ(hidden.find("deep-secret"), std::string::npos) << hidden;
    EXPECT_LT(hidden.size(), nested.size() * 16);
  }
}

}  // namespace
}  // namespace tavrello::db
