#include "query/statement_file.h"

#include <filesystem>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support_lib/query_window_fixture.h"

namespace tavrello {
namespace {

namespace fs = std::filesystem;
using forms::MsgIcon;

class StatementFiles : public testing::QueryWindowFixture {
 protected:
  formSQLNew& connected() {
    saveShopAndBroken();
    formSQLNew& w = openWindow();
    w.CommandConnect.userClick();
    return w;
  }
  void save(formSQLNew& w, const fs::path& file) {
    capture_.dialogs().answerFile(file.string());
    w.CommandSave.userClick();
  }
  void open(formSQLNew& w, const fs::path& file) {
    capture_.dialogs().answerFile(file.string());
    w.CommandOpenQueryFile.userClick();
  }
  testing::TempDir dir_;
};

TEST_F(StatementFiles, TheDialogsStartInTheStatementFolderWithTheirTitleAndFilter) {
  formSQLNew& w = connected();
  w.CommandOpenQueryFile.userClick();
  w.CommandSave.userClick();
  const auto& asked = capture_.dialogs().fileDialogs();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_FALSE(asked[0].save);
  EXPECT_TRUE(asked[1].save);
  for (const auto& record : asked) {
    EXPECT_EQ(record.request.title, "SQL File");
    EXPECT_EQ(record.request.filter, "SQL files (*.sql)|*.sql|All files (*.*)|*.*");
    EXPECT_EQ(record.request.initialFolder, (capture_.dataFolder() / "sql").string());
  }
  EXPECT_FALSE(fs::exists(capture_.dataFolder() / "sql")) << "the folder is never created";
}

TEST_F(StatementFiles, CancellingChangesNothing) {
  formSQLNew& w = connected();
  w.TextSQL.Text("SELECT 1");
  w.CommandOpenQueryFile.userClick();
  w.CommandSave.userClick();
  EXPECT_EQ(w.TextSQL.Text(), "SELECT 1");
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(StatementFiles, EachSaveAndOpenCycleAddsOneLineEnd) {
  formSQLNew& w = connected();
  const fs::path file = dir_ / "orders.sql";
  const std::string statement = "SELECT name\r\nFROM customers -- \xC3\xA9t\xC3\xA9";
  w.TextSQL.Text(statement);
  save(w, file);
  EXPECT_EQ(testing::readFile(file), statement + "\r\n") << "UTF-8, no byte-order mark";
  open(w, file);
  EXPECT_EQ(w.TextSQL.Text(), statement + "\r\n");
  save(w, file);
  open(w, file);
  EXPECT_EQ(w.TextSQL.Text(), statement + "\r\n\r\n");
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(StatementFiles, AnEmptyFileEmptiesTheBox) {
  formSQLNew& w = connected();
  testing::writeFile(dir_ / "empty.txt", "");
  w.TextSQL.Text("SELECT 1");
  open(w, dir_ / "empty.txt");
  EXPECT_EQ(w.TextSQL.Text(), "");
}

TEST_F(StatementFiles, AWindows1252FileIsReadAsThatCodePage) {
  formSQLNew& w = connected();
  // "SELECT 'café' -- 5€" as the original platform wrote it.
  testing::writeFile(dir_ / "old.sql", "SELECT 'caf\xE9' -- 5\x80\r\n");
  open(w, dir_ / "old.sql");
  EXPECT_EQ(w.TextSQL.Text(), "SELECT 'caf\xC3\xA9' -- 5\xE2\x82\xAC\r\n");
}

TEST_F(StatementFiles, AByteOrderMarkIsDropped) {
  testing::TempDir dir;
  testing::writeFile(dir / "bom.sql", "\xEF\xBB\xBFSELECT 1");
  EXPECT_EQ(readStatementFile(dir / "bom.sql"), "SELECT 1");
}

TEST_F(StatementFiles, OpenFailuresAreReportedAndKeepTheText) {
  formSQLNew& w = connected();
  w.TextSQL.Text("SELECT 1");
  open(w, dir_ / "missing.sql");
  ASSERT_EQ(::mkfifo((dir_ / "pipe.sql").c_str(), 0600), 0);
  open(w, dir_ / "pipe.sql");  // returns at once: a FIFO is no statement file
  open(w, dir_.path());
  EXPECT_EQ(w.TextSQL.Text(), "SELECT 1");
  ASSERT_EQ(capture_.dialogs().boxes().size(), 3u);
  const std::string log = capture_.log();
  EXPECT_NE(log.find("formSQLNew.CommandOpenQueryFile_Click, Error 53"), std::string::npos) << log;
  EXPECT_NE(log.find("not a regular file (CommandOpenQueryFile_Click)"), std::string::npos) << log;
}

TEST_F(StatementFiles, ASaveFailureIsReported) {
  formSQLNew& w = connected();
  w.TextSQL.Text("SELECT 2");
  save(w, dir_ / "no-such-folder" / "x.sql");
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  EXPECT_NE(capture_.log().find("formSQLNew.CommandSave_Click, Error "), std::string::npos) << capture_.log();
}

TEST_F(StatementFiles, SavingKeepsTheFilesPermissionsAndLinks) {
  formSQLNew& w = connected();
  const fs::path real = dir_ / "real.sql";
  testing::writeFile(real, "old");
  fs::permissions(real, fs::perms(0640));
  fs::create_symlink(real, dir_ / "link.sql");
  w.TextSQL.Text("SELECT 3");
  save(w, dir_ / "link.sql");
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.sql"));
  EXPECT_EQ(testing::readFile(real), "SELECT 3\r\n");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms(0640));
}

}  // namespace
}  // namespace tavrello
