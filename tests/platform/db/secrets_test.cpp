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

}  // namespace
}  // namespace tavrello::db
