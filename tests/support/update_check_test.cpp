#include "support/update_check.h"

#include <gtest/gtest.h>

#include "support_lib/local_http_server.h"
#include "support_lib/report_capture.h"

namespace tavrello {
namespace {

using forms::MsgIcon;
using testing::HttpReply;
using testing::LocalHttpServer;
using testing::RefusingPort;
using testing::ReportCapture;
using testing::ScopedEnv;

const std::string kMajorMessage =
    "There is a new version (Major Update) of Tavrello available for download.\r"
    "When you can, Please go to http://www.varnocksystems.com to download it.";
const std::string kMinorMessage =
    "There is a new version (Minor Update) of Tavrello available for download.\r"
    "When you can, Please go to http://www.varnocksystems.com to download it.";

// A version page as the site publishes it: twelve characters of markup, then
// the version.
std::string page(const std::string& version) { return "<html><body>" + version + "</body></html>"; }

class UpdateCheck : public ::testing::Test {
 protected:
  // Runs the check against a local server that answers with `reply`.
  void checkAgainst(HttpReply reply) {
    LocalHttpServer server(std::move(reply));
    MStandardCode::ScopedVersionPageForTests seam(server.url("/ApplicationVersion.html"));
    MStandardCode::Check_App_Version();
    requests_ = server.requests();
  }

  ScopedEnv noProxy_{"http_proxy", std::nullopt};
  ReportCapture capture_;
  std::vector<std::string> requests_;
};

TEST_F(UpdateCheck, SameVersionIsUpToDate) {
  checkAgainst({200, page("1.30")});
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  capture_.expectBox(0, "Tavrello is uptodate", MsgIcon::Information);
  ASSERT_EQ(requests_.size(), 1u);
  EXPECT_EQ(requests_[0].substr(0, requests_[0].find("\r\n")), "GET /ApplicationVersion.html HTTP/1.1");
  EXPECT_NE(requests_[0].find("\r\nUser-Agent: VB Project"), std::string::npos);
  EXPECT_NE(requests_[0].find("\r\nCache-Control: no-cache"), std::string::npos);
}

TEST_F(UpdateCheck, HigherMinorIsAMinorUpdate) {
  checkAgainst({200, page("1.31")});
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  capture_.expectBox(0, kMinorMessage, MsgIcon::None);
}

TEST_F(UpdateCheck, HigherMajorIsAMajorUpdateWhateverTheMinor) {
  checkAgainst({200, page("2.00")});
  checkAgainst({200, page("2.99")});
  ASSERT_EQ(capture_.dialogs().boxes().size(), 2u);
  capture_.expectBox(0, kMajorMessage, MsgIcon::None);
  capture_.expectBox(1, kMajorMessage, MsgIcon::None);
}

TEST_F(UpdateCheck, LowerMajorIsUpToDateWhateverTheMinor) {
  checkAgainst({200, page("0.99")});
  capture_.expectBox(0, "Tavrello is uptodate", MsgIcon::Information);
}

TEST_F(UpdateCheck, OnlyTheFixedPositionsCount) {
  // The minor field is exactly characters 15 and 16: "1.305" reads minor 30.
  checkAgainst({200, "0123456789ab1x30 and the rest is ignored"});
  checkAgainst({200, page("1.305")});
  checkAgainst({200, "0123456789ab1.3"});  // a one-character minor field: 3
  ASSERT_EQ(capture_.dialogs().boxes().size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) capture_.expectBox(i, "Tavrello is uptodate", MsgIcon::Information);
  EXPECT_EQ(capture_.log(), "");
}

TEST_F(UpdateCheck, ABodyLongerThanOneBufferIsReadWhole) {
  // The version sits at the start; the check must still see a complete page
  // when it arrives in many pieces, and the padding must not disturb it.
  checkAgainst({200, page("1.31") + std::string(10000, ' ') + "<!-- end -->", 1000});
  capture_.expectBox(0, kMinorMessage, MsgIcon::None);
}

TEST_F(UpdateCheck, OpenURLReturnsTheWholeBodyInOrder) {
  std::string body;
  for (int i = 0; body.size() < 9000; ++i) body += std::to_string(i) + " ";
  LocalHttpServer server({200, body, 2048});
  EXPECT_EQ(MStandardCode::OpenURL(server.url("/long")), body);
  LocalHttpServer errorPage({404, "<html>not here</html>"});
  EXPECT_EQ(MStandardCode::OpenURL(errorPage.url("/x")), "<html>not here</html>");
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(UpdateCheck, OpenURLGivesEmptyTextSilentlyOnAnyTransportFailure) {
  RefusingPort refusing;
  EXPECT_EQ(MStandardCode::OpenURL(refusing.url("/ApplicationVersion.html")), "");
  LocalHttpServer cut({200, std::string(6000, 'v'), 1000, 3000});
  EXPECT_EQ(MStandardCode::OpenURL(cut.url("/")), "") << "no part of a broken-off body";
  EXPECT_EQ(MStandardCode::OpenURL("not a url at all"), "");
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
  EXPECT_EQ(capture_.log(), "");
}

TEST_F(UpdateCheck, NoServerGivesOneReportAndNoUpdateMessage) {
  RefusingPort refusing;
  MStandardCode::ScopedVersionPageForTests seam(refusing.url("/ApplicationVersion.html"));
  MStandardCode::Check_App_Version();
  ASSERT_EQ(capture_.dialogs().boxes().size(), 1u);
  capture_.expectReport(0, "Type mismatch (Check_App_Version)");
  EXPECT_EQ(capture_.log(),
            ReportCapture::entry("MStandardCode", "Check_App_Version", 13, "Type mismatch (Check_App_Version)"));
}

TEST_F(UpdateCheck, APageWithoutNumbersAtThePositionsIsReported) {
  checkAgainst({200, "<html><body>version one point three</body></html>"});
  checkAgainst({200, "short"});
  ASSERT_EQ(capture_.dialogs().boxes().size(), 2u);
  capture_.expectReport(0, "Type mismatch (Check_App_Version)");
  capture_.expectReport(1, "Type mismatch (Check_App_Version)");
}

}  // namespace
}  // namespace tavrello
