#include "platform/system/http_get.h"

#include <gtest/gtest.h>

#include "support_lib/local_http_server.h"
#include "support_lib/test_env.h"

namespace tavrello::sys {
namespace {

using testing::HttpReply;
using testing::LocalHttpServer;
using testing::RefusingPort;
using testing::ScopedEnv;

// Keeps a proxy of the machine running the tests out of the way.
struct NoProxy {
  ScopedEnv http{"http_proxy", std::nullopt}, all{"ALL_PROXY", std::nullopt}, allLower{"all_proxy", std::nullopt};
};

TEST(HttpGet, SendsTheAgentAndBypassesCaches) {
  NoProxy noProxy;
  LocalHttpServer server({200, "hello"});
  EXPECT_EQ(httpGet({server.url("/page.html"), "VB Project"}), "hello");
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].substr(0, requests[0].find("\r\n")), "GET /page.html HTTP/1.1");
  EXPECT_NE(requests[0].find("\r\nUser-Agent: VB Project"), std::string::npos);
  EXPECT_NE(requests[0].find("\r\nCache-Control: no-cache"), std::string::npos);
  EXPECT_NE(requests[0].find("\r\nPragma: no-cache"), std::string::npos);
}

TEST(HttpGet, ReturnsALongBodyArrivingInManyPiecesWholeAndInOrder) {
  NoProxy noProxy;
  std::string body;
  for (int i = 0; body.size() < 20000; ++i) body += std::to_string(i) + ",";
  LocalHttpServer server({200, body, 700});
  EXPECT_EQ(httpGet({server.url("/"), "agent"}), body);
}

TEST(HttpGet, AnErrorPageIsABodyLikeAnyOther) {
  NoProxy noProxy;
  LocalHttpServer server({404, "<html>missing</html>"});
  EXPECT_EQ(httpGet({server.url("/nothing"), "agent"}), "<html>missing</html>");
}

TEST(HttpGet, TransportFailuresBecomeInternetErrorNumbers) {
  NoProxy noProxy;
  RefusingPort refusing;
  try {
    httpGet({refusing.url("/"), "agent"});
    FAIL() << "expected a failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), 12029);
    EXPECT_EQ(f.description().rfind("A connection with the server could not be established (", 0), 0u)
        << f.description();
  }
  LocalHttpServer cut({200, std::string(5000, 'a'), 1000, 2500});
  try {
    httpGet({cut.url("/"), "agent"});
    FAIL() << "expected a failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), 12030);
  }
  try {
    httpGet({"gopher://127.0.0.1/", "agent"});
    FAIL() << "expected a failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), 12006);
  }
}

TEST(HttpGet, CurlCodesWithoutADedicatedNumberAreInternalErrors) {
  const Failure f = curlFailure(/*CURLE_SSL_ENGINE_NOTFOUND*/ 53, "");
  EXPECT_EQ(f.number(), 12004);
  EXPECT_EQ(f.description().rfind("An internal error occurred (", 0), 0u);
  EXPECT_EQ(curlFailure(/*CURLE_COULDNT_RESOLVE_HOST*/ 6, "Could not resolve host: x.invalid").description(),
            "The server name or address could not be resolved (Could not resolve host: x.invalid)");
}

}  // namespace
}  // namespace tavrello::sys
