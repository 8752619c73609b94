#include "support/form_about.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <sys/stat.h>

#include "platform/forms/scripted_dialog_service.h"
#include "platform/forms/shared_form.h"
#include "support_lib/test_env.h"

namespace tavrello {
namespace {

namespace fs = std::filesystem;
using testing::ScopedEnv;
using testing::TempDir;
using testing::writeFile;

constexpr const char* kUnavailable = "System Information Is Unavailable At This Time";

// A machine registry of our own, and a PATH that holds only what a test
// puts there.
class AboutTest : public ::testing::Test {
 protected:
  void machineRegistry(const std::string& lines) { writeFile(dir / "machine-registry", lines); }

  // A program that leaves a file behind when it runs.
  fs::path fakeProgram(const fs::path& path) {
    fs::create_directories(path.parent_path());
    writeFile(path, "#!/bin/sh\necho ran > '" + marker().string() + "'\n");
    ::chmod(path.c_str(), 0755);
    return path;
  }
  fs::path marker() const { return dir / "ran"; }

  bool programRan() const {
    for (int i = 0; i < 200 && !fs::exists(marker()); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(25));
    return fs::exists(marker());
  }

  void TearDown() override { forms::unloadAllSharedForms(); }

  TempDir dir;
  ScopedEnv machine{"TAVRELLO_MACHINE_REGISTRY", (dir / "machine-registry").string()};
  ScopedEnv path{"PATH", (dir / "bin").string()};
  std::shared_ptr<forms::ScriptedDialogService> service = std::make_shared<forms::ScriptedDialogService>();
  forms::ScopedDialogService scoped{service};
};

TEST_F(AboutTest, GetKeyValueReadsAStringAsItIs) {
  machineRegistry("[SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\nPATH=sz:/opt/msinfo/msinfo32\n");
  std::string value = "old";
  EXPECT_TRUE(formAbout::GetKeyValue(sys::HKEY_LOCAL_MACHINE, "software\\microsoft\\shared tools\\msinfo", "Path",
                                     value));
  EXPECT_EQ(value, "/opt/msinfo/msinfo32");
}

TEST_F(AboutTest, GetKeyValueWritesANumberAsHexBytesFromTheLastToTheFirst) {
  machineRegistry("[Numbers]\nWide=dword:12345678\nSmall=dword:00010203\nTen=dword:0000000a\n");
  std::string wide, small, ten;
  ASSERT_TRUE(formAbout::GetKeyValue(sys::HKEY_LOCAL_MACHINE, "Numbers", "Wide", wide));
  ASSERT_TRUE(formAbout::GetKeyValue(sys::HKEY_LOCAL_MACHINE, "Numbers", "Small", small));
  ASSERT_TRUE(formAbout::GetKeyValue(sys::HKEY_LOCAL_MACHINE, "Numbers", "Ten", ten));
  EXPECT_EQ(wide, "&h12345678");
  // Bytes 03 02 01 00: the final zero byte is dropped, the others lose their
  // leading zeros.
  EXPECT_EQ(small, "&h123");
  EXPECT_EQ(ten, "&h00A");
}

TEST_F(AboutTest, GetKeyValueEmptiesTheTextForAMissingKeyOrValue) {
  machineRegistry("[SOFTWARE\\Microsoft\\Shared Tools Location]\nOther=sz:x\n");
  std::string value = "old";
  EXPECT_FALSE(formAbout::GetKeyValue(sys::HKEY_LOCAL_MACHINE, "SOFTWARE\\Nothing", "PATH", value));
  EXPECT_EQ(value, "");
  value = "old";
  EXPECT_FALSE(formAbout::GetKeyValue(sys::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location",
                                      "MSINFO", value));
  EXPECT_EQ(value, "");
}

TEST_F(AboutTest, StartSysInfoStartsTheProgramTheRegistryNames) {
  const auto program = fakeProgram(dir / "msinfo" / "sysinfo");
  machineRegistry("[SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\nPATH=sz:" + program.string() + "\n");
  formAbout::StartSysInfo();
  EXPECT_TRUE(programRan());
  EXPECT_TRUE(service->boxes().empty());
}

TEST_F(AboutTest, StartSysInfoStartsMsinfoFromTheSharedToolsFolder) {
  fakeProgram(dir / "shared" / "MSINFO32.EXE");
  machineRegistry("[SOFTWARE\\Microsoft\\Shared Tools Location]\nMSINFO=sz:" + (dir / "shared").string() + "\n");
  formAbout::StartSysInfo();
  EXPECT_TRUE(programRan());
  EXPECT_TRUE(service->boxes().empty());
}

TEST_F(AboutTest, StartSysInfoFallsBackToASystemMonitorOnPath) {
  machineRegistry("");
  fakeProgram(dir / "bin" / "gnome-system-monitor");
  formAbout::StartSysInfo();
  EXPECT_TRUE(programRan());
  EXPECT_TRUE(service->boxes().empty());
}

TEST_F(AboutTest, StartSysInfoWithNothingToStartShowsTheMessageAndStartsNothing) {
  fs::create_directories(dir / "shared");
  machineRegistry("[SOFTWARE\\Microsoft\\Shared Tools Location]\nMSINFO=sz:" + (dir / "shared").string() + "\n");
  formAbout::StartSysInfo();
  ASSERT_EQ(service->boxes().size(), 1U);
  EXPECT_EQ(service->boxes()[0].text, kUnavailable);
  EXPECT_EQ(service->boxes()[0].title, "Tavrello");
  EXPECT_EQ(service->boxes()[0].icon, forms::MsgIcon::None);
  EXPECT_EQ(service->boxes()[0].buttons, forms::MsgButtons::OkOnly);
  EXPECT_FALSE(fs::exists(marker()));
}

TEST_F(AboutTest, StartSysInfoShowsTheMessageWhenTheProgramCannotBeStarted) {
  machineRegistry("[SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\nPATH=sz:" + (dir / "gone").string() + "\n");
  formAbout::StartSysInfo();
  ASSERT_EQ(service->boxes().size(), 1U);
  EXPECT_EQ(service->boxes()[0].text, kUnavailable);
}

TEST_F(AboutTest, OpeningSetsTitleVersionAndProductName) {
  const auto about = forms::SharedForm<formAbout>::instance();
  EXPECT_EQ(about->Caption(), "Tavrello - About ");
  EXPECT_EQ(about->lblVersion.Caption(), "  Version 1.30.2");
  EXPECT_EQ(about->lblTitle.Caption(), "  Tavrello");
  EXPECT_EQ(about->LabelAbout.Caption(),
            "Tavrello is a Microsoft Excel Add-in which makes it easy to import data from ODBC Compliant databases.");
  EXPECT_FALSE(about->TextBox1.Text().empty());
  EXPECT_TRUE(about->TextBox1.Locked());
  EXPECT_EQ(about->CommandButtonSysInfo.Caption(), "System Information");
  EXPECT_EQ(about->CommandButtonOK.Caption(), "OK");
  EXPECT_FALSE(about->Image1.Picture().empty());
}

TEST_F(AboutTest, ShowAboutIsModalAndOkReleasesTheBox) {
  machineRegistry("");
  service->onModal("formAbout", [](forms::Form& form) {
    form.controlAs<forms::CommandButton>("CommandButtonSysInfo").userClick();
    form.controlAs<forms::CommandButton>("CommandButtonOK").userClick();
  });
  MStandardCode::ShowAbout();
  EXPECT_EQ(service->modalForms(), (std::vector<std::string>{"formAbout"}));
  ASSERT_EQ(service->boxes().size(), 1U);
  EXPECT_EQ(service->boxes()[0].text, kUnavailable);
  EXPECT_FALSE(forms::SharedForm<formAbout>::exists());
}

TEST_F(AboutTest, TheCloseBoxReleasesTheBoxToo) {
  service->onModal("formAbout", [](forms::Form& form) { form.userClose(); });
  MStandardCode::ShowAbout();
  EXPECT_FALSE(forms::SharedForm<formAbout>::exists());
}

}  // namespace
}  // namespace tavrello
