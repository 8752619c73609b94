#include "platform/host/addin_entry.h"

#include <gtest/gtest.h>

#include "addin/m_globals.h"
#include "addin_fixture.h"
#include "platform/forms/events.h"
#include "platform/host/workbook/workbook_application.h"
#include "support_lib/report_capture.h"
#include "toolbar/c_control_events.h"

TAVRELLO_ADDIN_EXPORT int tavrello_addin_create(std::uint32_t hostAbiVersion, tavrello_addin* addin, char* error,
                                                std::size_t errorSize);

namespace tavrello {
namespace {

using testing::ReportCapture;

class AddinEntry : public testing::AddinFixture {
 protected:
  std::shared_ptr<host::Application> app_ = host::WorkbookApplication::create();
};

TEST_F(AddinEntry, TheHostConnectsAndDisconnectsThroughTheExportedTable) {
  tavrello_addin addin{};
  char error[256] = "";
  ASSERT_EQ(tavrello_addin_create(TAVRELLO_ADDIN_ABI_VERSION, &addin, error, sizeof error), 0) << error;
  EXPECT_EQ(addin.abi_version, TAVRELLO_ADDIN_ABI_VERSION);
  ASSERT_TRUE(addin.instance && addin.connect && addin.disconnect && addin.destroy);

  EXPECT_EQ(addin.connect(addin.instance, host::applicationHandle(app_), host::ConnectMode::Startup, error,
                          sizeof error),
            0)
      << error;
  EXPECT_TRUE(app_->CommandBars()->Item("Tavrello")->Visible());
  EXPECT_EQ(addin.disconnect(addin.instance, host::RemoveMode::HostShutdown, error, sizeof error), 0) << error;
  EXPECT_THROW(app_->CommandBars()->Item("Tavrello"), Failure);
  addin.destroy(addin.instance);
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(AddinEntry, AHostWithoutAKnownInterfaceIsTurnedAway) {
  tavrello_addin addin{};
  char error[256] = "";
  EXPECT_NE(tavrello_addin_create(0, &addin, error, sizeof error), 0);
  EXPECT_STRNE(error, "");
  // A host built against the host interface of version 1 lays its objects
  // out otherwise.
  EXPECT_NE(tavrello_addin_create(1, &addin, error, sizeof error), 0);
}

TEST_F(AddinEntry, FailuresEscapingEventProceduresReachTheErrorReporter) {
  tavrello_addin addin{};
  char error[256] = "";
  ASSERT_EQ(tavrello_addin_create(TAVRELLO_ADDIN_ABI_VERSION, &addin, error, sizeof error), 0);
  addin.destroy(addin.instance);
  auto previous = forms::setUnhandledFailureHandler({});
  ASSERT_TRUE(previous) << "the add-in installed its route";
  previous(Failure(91, "Object variable or With block variable not set"), "formSQLNew", "CommandClose_Click");
  forms::setUnhandledFailureHandler(previous);
  capture_.expectReport(0, "Object variable or With block variable not set");
  EXPECT_EQ(capture_.log(), ReportCapture::entry("formSQLNew", "CommandClose_Click", 91,
                                                 "Object variable or With block variable not set"));
}

}  // namespace
}  // namespace tavrello
