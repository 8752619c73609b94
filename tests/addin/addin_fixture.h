#pragma once

#include <string>

#include <gtest/gtest.h>

#include "addin/m_globals.h"
#include "platform/system/program_settings.h"
#include "support_lib/report_capture.h"
#include "toolbar/c_control_events.h"

namespace tavrello::testing {

// The toolbar's place as the add-in keeps it in the user's program settings;
// "<missing>" where the key was never written.
inline std::string stored(const char* key) {
  return sys::GetSetting("VarnockSystems\\Tavrello", "CommandBarSettings", key, "<missing>");
}
inline void store(const char* key, const std::string& value) {
  sys::SaveSetting("VarnockSystems\\Tavrello", "CommandBarSettings", key, value);
}

// A test of the add-in loaded into this process: what it reports is captured
// in a fake home, and its globals are cleared after each test so that the next
// one starts as if the add-in had never been loaded.
class AddinFixture : public ::testing::Test {
 protected:
  void TearDown() override {
    MGlobals::gclsControlEvents.reset();
    MGlobals::gxlApp.reset();
    MGlobals::gbShutdownInProgress = false;
    MGlobals::ConnectionList = ConnectionList();
  }

  ReportCapture capture_;
};

}  // namespace tavrello::testing
