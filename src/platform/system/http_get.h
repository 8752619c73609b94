#pragma once

#include <string>
#include <string_view>

#include "platform/system/failure.h"

namespace tavrello::sys {

// One plain HTTP GET, made the way the add-in's update check has always asked:
// its own user agent, past every cache, through the proxy the user's
// environment configures (http_proxy, no_proxy).
struct HttpGetRequest {
  std::string url;
  std::string userAgent;
  // Sends "Cache-Control: no-cache" and "Pragma: no-cache", so that neither a
  // proxy nor the server hands back a stored copy.
  bool bypassCache = true;
  // Limits for an unreachable or stalled server, so that a check cannot hang
  // the user-interface thread for ever.
  long connectTimeoutSeconds = 30;
  long totalTimeoutSeconds = 120;
};

// Returns the whole body, however many reads it takes, whatever the HTTP
// status (an error page is a body like any other). Throws Failure, converted
// by curlFailure, when the address cannot be used, the server cannot be
// reached or the transfer breaks off; nothing is returned then, not even the
// part that arrived. Every handle is released on every path. Blocks until done.
std::string httpGet(const HttpGetRequest& request);

// The one conversion of a curl result code (CURLcode) into a Failure, with
// the numbers of the internet client library the add-in was written for:
// 12005 bad address, 12006 unsupported scheme, 12007 name not resolved,
// 12002 timed out, 12029 cannot connect, 12030 connection broken off,
// 12152 invalid response, and 12004 for anything else. `detail`, when not
// empty, is curl's own text and is added to the description.
Failure curlFailure(int curlCode, std::string_view detail);

}  // namespace tavrello::sys
