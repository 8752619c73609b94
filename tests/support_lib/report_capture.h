#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/forms/dialog_service.h"
#include "platform/forms/scripted_dialog_service.h"
#include "platform/system/clock.h"
#include "support_lib/test_env.h"

namespace tavrello::testing {

// What the user would see and what the error log would hold during a test of
// the add-in: a fake home whose data folder ("Tavrello/" in the application-
// data folder) exists, a scripted dialog service that records every box, and
// a clock fixed at 2026-01-02 03:04:05 in UTC. Header-only; tests that use it
// link the add-in library.
class ReportCapture {
 public:
  ReportCapture() : previous_(forms::setDialogService(dialogs_)) { std::filesystem::create_directories(dataFolder()); }
  ~ReportCapture() { forms::setDialogService(previous_); }
  ReportCapture(const ReportCapture&) = delete;
  ReportCapture& operator=(const ReportCapture&) = delete;

  forms::ScriptedDialogService& dialogs() { return *dialogs_; }
  const FakeHome& home() const { return home_; }
  std::filesystem::path dataFolder() const { return home_.dataHome() / "Tavrello"; }
  std::filesystem::path settingsFile() const { return dataFolder() / "connectionsettings.xml"; }
  std::string log() const { return readFile(dataFolder() / "TavrelloErrors.log"); }

  // One log entry as the reporter writes it at the fixed time.
  static std::string entry(const std::string& module, const std::string& procedure, std::int32_t number,
                           const std::string& message) {
    return "01/02/26 03:04:05  [Tavrello]" + module + "." + procedure + ", Error " + std::to_string(number) + ": " +
           message + "\r\n\r\n";
  }

  // Checks box `index` by its exact text, buttons, icon and title.
  void expectBox(std::size_t index, const std::string& text, forms::MsgIcon icon,
                 forms::MsgButtons buttons = forms::MsgButtons::OkOnly) const {
    ASSERT_LT(index, dialogs_->boxes().size()) << "no box number " << index;
    const forms::MessageBoxRequest& box = dialogs_->boxes()[index];
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.icon, icon);
    EXPECT_EQ(box.buttons, buttons);
    EXPECT_EQ(box.title, "Tavrello");
  }

  // A failure report: the critical box with `message`.
  void expectReport(std::size_t index, const std::string& message) const {
    expectBox(index, message, forms::MsgIcon::Critical);
  }

 private:
  FakeHome home_;
  ScopedEnv tz_{"TZ", "UTC"};
  sys::ScopedClockOverride clock_{sys::Clock::from_time_t(1767323045)};
  std::shared_ptr<forms::ScriptedDialogService> dialogs_ = std::make_shared<forms::ScriptedDialogService>();
  std::shared_ptr<forms::DialogService> previous_;
};

}  // namespace tavrello::testing
