// `tavrello connection` as a shell user runs it: the built host program in a
// fresh home, the add-in registered there, its connection manager and editor
// worked through the scripted dialog service.

#include <filesystem>

#include <gtest/gtest.h>

#include "addin_fixture.h"
#include "support_lib/host_run.h"

namespace tavrello {
namespace {

namespace fs = std::filesystem;
using testing::HostRun;
using testing::readFile;
using testing::runHost;
using testing::writeFile;

constexpr const char* kRemoveQuestion = "Exclamation: Tavrello: Are you sure you want  | to delete this connection?\n";

std::string connectionLines(int k, const std::string& name, const std::string& value) {
  const std::string element = "connection" + std::to_string(k);
  return "\t<" + element + ">\r\n\t\t<name>" + name + "</name>\r\n\t\t<value>" + value + "</value>\r\n\t</" +
         element + ">\r\n";
}

std::string fileOf(const std::string& connections) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<connections>\r\n" + connections + "</connections>\r\n";
}

class ConnectionCommand : public testing::AddinFixture {
 protected:
  void SetUp() override {
    const HostRun registered = run({"register"});
    ASSERT_EQ(registered.status, 0) << registered.err;
  }

  HostRun run(std::vector<std::string> arguments, const std::string& input = {}) {
    return runHost(arguments, scratch_.path(), input);
  }
  HostRun connection(std::vector<std::string> arguments, const std::string& input = {}) {
    arguments.insert(arguments.begin(), "connection");
    return run(std::move(arguments), input);
  }

  std::string settings() const { return readFile(capture_.settingsFile()); }
  std::string sampleLines() const {
    return connectionLines(1, "Sample",
                           "Provider=SQLite;Data Source=" + (capture_.dataFolder() / "sample.db").string());
  }

  testing::TempDir scratch_;
};

TEST_F(ConnectionCommand, AddEditAndRemoveWriteTheFileAsTheDialogsDo) {
  HostRun added = connection({"add", "R&D <lab>", "Driver={PostgreSQL Unicode};PWD=a<b&c>;"});
  EXPECT_EQ(added.status, 0) << added.err;
  EXPECT_EQ(added.err, "") << "no message box";
  EXPECT_EQ(added.out, "Added the connection 'R&D <lab>'.\n");
  EXPECT_EQ(settings(), fileOf(sampleLines() + connectionLines(2, "R&amp;D &lt;lab&gt;",
                                                               "Driver={PostgreSQL Unicode};PWD=a&lt;b&amp;c&gt;;")));
  EXPECT_EQ(fs::status(capture_.settingsFile()).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);

  HostRun edited = connection({"edit", "R&D <lab>", "DSN=lab;"});
  EXPECT_EQ(edited.status, 0) << edited.err;
  EXPECT_EQ(edited.err, "");
  EXPECT_EQ(settings(), fileOf(sampleLines() + connectionLines(2, "R&amp;D &lt;lab&gt;", "DSN=lab;")));

  HostRun removed = connection({"remove", "Sample"});
  EXPECT_EQ(removed.status, 0) << removed.err;
  EXPECT_EQ(removed.err, kRemoveQuestion) << "the question is shown and answered Yes";
  EXPECT_EQ(removed.out, "Removed the connection 'Sample'.\n");
  EXPECT_EQ(settings(), fileOf(connectionLines(1, "R&amp;D &lt;lab&gt;", "DSN=lab;")));

  EXPECT_EQ(connection({"remove", "R&D <lab>"}).status, 0);
  EXPECT_EQ(settings(), fileOf(""));
  EXPECT_EQ(capture_.log(), "") << "nothing was reported";
}

TEST_F(ConnectionCommand, ListPrintsEveryConnectionInFileOrderWithoutPasswords) {
  const std::string file =
      "<connections>"
      "<c><name>Warehouse</name><value>Driver={PostgreSQL Unicode};Server=db;Uid=ann;PWD={se;cret};</value></c>"
      "<c><name>Twin</name><value>DSN=one;Password=\"p;w\"</value></c>"
      "<c><name>Twin</name><value>DSN=two;pwd=plain</value></c>"
      "<c><name>Tab\there</name><value>DSN=C:\\data;Extended Properties=\"PWD=inner;\"</value></c>"
      "<c><name>Empty</name><value></value></c>"
      "</connections>";
  writeFile(capture_.settingsFile(), file);
  const HostRun listed = connection({"list"});
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(listed.err, "");
  EXPECT_EQ(listed.out,
            "Warehouse\tDriver={PostgreSQL Unicode};Server=db;Uid=ann;PWD=***;\n"
            "Twin\tDSN=one;Password=***\n"
            "Twin\tDSN=two;pwd=***\n"
            "Tab\\there\tDSN=C:\\\\data;Extended Properties={PWD=***;};\n"
            "Empty\t\n");
  EXPECT_EQ(listed.out.find("cret"), std::string::npos);
  EXPECT_EQ(settings(), file) << "listing writes nothing";
}

// Names from a settings file could drive the terminal.
TEST_F(ConnectionCommand, ListShowsEveryControlCharacterOfANameEscaped) {
  fs::copy_file(testing::hostileTestData() / "settings" / "terminal_escapes.xml", capture_.settingsFile(),
                fs::copy_options::overwrite_existing);
  const HostRun listed = connection({"list"});
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(listed.out, "Sales\\x1b[2J\\x1b]0;owned\\x07\\u009b6n\tProvider=SQLite;Data Source=:memory:\n");
}

TEST_F(ConnectionCommand, EditAndRemoveTakeTheFirstConnectionOfTheName) {
  writeFile(capture_.settingsFile(), fileOf(connectionLines(1, "Twin", "DSN=one;") + connectionLines(2, "Twin", "DSN=two;")));
  EXPECT_EQ(connection({"edit", "Twin", "DSN=changed;"}).status, 0);
  EXPECT_EQ(settings(), fileOf(connectionLines(1, "Twin", "DSN=changed;") + connectionLines(2, "Twin", "DSN=two;")));
  EXPECT_EQ(connection({"remove", "Twin"}).status, 0);
  EXPECT_EQ(settings(), fileOf(connectionLines(1, "Twin", "DSN=two;")));
}

TEST_F(ConnectionCommand, ANameNoConnectionHasIsAnErrorAndTheFileIsUntouched) {
  const std::string compact = "<connections><c><name>Sample</name><value>DSN=x;</value></c></connections>";
  writeFile(capture_.settingsFile(), compact);
  for (const char* verb : {"edit", "remove"}) {
    SCOPED_TRACE(verb);
    const HostRun missing = std::string(verb) == "edit" ? connection({verb, "sample", "DSN=y;"})
                                                        : connection({verb, "Sample "});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no connection is named"), std::string::npos) << missing.err;
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(settings(), compact) << "not even rewritten";
  }
}

TEST_F(ConnectionCommand, RefusalsAndFailuresAreShownAndExitWithOne) {
  const std::string before = settings();
  const HostRun noName = connection({"add", "", "DSN=x;"});
  EXPECT_EQ(noName.status, 1);
  EXPECT_NE(noName.err.find("Information: Tavrello: Please enter a name for the Connection.\n"), std::string::npos)
      << noName.err;
  EXPECT_EQ(settings(), before) << "rewritten after the cancel with the same rows";

  const HostRun noString = connection({"add", "Name", ""});
  EXPECT_EQ(noString.status, 1);
  EXPECT_NE(noString.err.find("OK stays disabled"), std::string::npos) << noString.err;
  EXPECT_EQ(settings(), before);

  writeFile(capture_.settingsFile(), "<connections><c><name>Short</name></c></connections>");
  const HostRun damaged = connection({"list"});
  EXPECT_EQ(damaged.status, 1);
  EXPECT_NE(damaged.err.find("Message: Tavrello: There appears to be a problem with the Installation of the Addin. | "),
            std::string::npos)
      << damaged.err;
  EXPECT_NE(damaged.err.find("Critical: Tavrello: "), std::string::npos) << damaged.err;

  EXPECT_EQ(run({"unregister"}).status, 0);
  const HostRun unregistered = connection({"list"});
  EXPECT_EQ(unregistered.status, 1);
  EXPECT_NE(unregistered.err.find("tavrello register"), std::string::npos) << unregistered.err;
}

TEST_F(ConnectionCommand, TheStringCanComeFromStandardInputAndBadArgumentsExitWithTwo) {
  const HostRun piped = connection({"add", "Piped", "-"}, "DSN=piped;PWD=kept off the command line\r\nignored\n");
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_NE(settings().find("<value>DSN=piped;PWD=kept off the command line</value>"), std::string::npos);

  for (const std::string& input : {std::string(), std::string(70000, 'x') + "\n"}) {
    const HostRun unusable = connection({"add", "Piped", "-"}, input);
    EXPECT_EQ(unusable.status, 2);
    EXPECT_NE(unusable.err.find("standard input"), std::string::npos) << unusable.err;
  }

  for (const auto& arguments : std::vector<std::vector<std::string>>{
           {}, {"frob"}, {"add", "only a name"}, {"list", "extra"}, {"remove"}, {"edit", "a", "b", "c"}}) {
    const HostRun bad = connection(arguments);
    EXPECT_EQ(bad.status, 2) << bad.err;
    EXPECT_NE(bad.err.find("Usage: tavrello connection list"), std::string::npos) << bad.err;
  }
  const HostRun help = run({"--help"});
  EXPECT_NE(help.out.find("tavrello connection list | add NAME STRING | edit NAME STRING | remove NAME"),
            std::string::npos);
}

}  // namespace
}  // namespace tavrello
