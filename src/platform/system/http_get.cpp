#include "platform/system/http_get.h"

#include <mutex>

#include <curl/curl.h>

namespace tavrello::sys {

namespace {

class CurlEasy {
 public:
  CurlEasy() : handle_(curl_easy_init()) {}
  ~CurlEasy() {
    if (handle_) curl_easy_cleanup(handle_);
  }
  CurlEasy(const CurlEasy&) = delete;
  CurlEasy& operator=(const CurlEasy&) = delete;

  CURL* get() const { return handle_; }

 private:
  CURL* handle_;
};

class CurlHeaderList {
 public:
  CurlHeaderList() = default;
  ~CurlHeaderList() { curl_slist_free_all(list_); }
  CurlHeaderList(const CurlHeaderList&) = delete;
  CurlHeaderList& operator=(const CurlHeaderList&) = delete;

  void append(const char* header) {
    curl_slist* grown = curl_slist_append(list_, header);
    if (!grown) throw curlFailure(CURLE_OUT_OF_MEMORY, {});
    list_ = grown;
  }
  curl_slist* get() const { return list_; }

 private:
  curl_slist* list_ = nullptr;
};

void ensureGlobalInit() {
  static std::once_flag once;
  static CURLcode result = CURLE_OK;
  std::call_once(once, [] { result = curl_global_init(CURL_GLOBAL_DEFAULT); });
  if (result != CURLE_OK) throw curlFailure(result, {});
}

// Called by curl for every piece of the body that arrives. Returning less
// than it was given (when memory runs out) makes curl stop with an error
// instead of letting an exception cross its C frames.
size_t appendBody(char* data, size_t size, size_t count, void* userdata) {
  try {
    static_cast<std::string*>(userdata)->append(data, size * count);
    return size * count;
  } catch (...) {
    return 0;
  }
}

template <class Value>
void setOption(CURL* curl, CURLoption option, Value value) {
  const CURLcode rc = curl_easy_setopt(curl, option, value);
  if (rc != CURLE_OK) throw curlFailure(rc, {});
}

}  // namespace

Failure curlFailure(int curlCode, std::string_view detail) {
  std::int32_t number = 12004;
  std::string text = "An internal error occurred";
  switch (static_cast<CURLcode>(curlCode)) {
    case CURLE_URL_MALFORMAT: number = 12005; text = "The URL is invalid"; break;
    case CURLE_UNSUPPORTED_PROTOCOL: number = 12006; text = "The URL scheme could not be recognized or is not supported"; break;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY: number = 12007; text = "The server name or address could not be resolved"; break;
    case CURLE_OPERATION_TIMEDOUT: number = 12002; text = "The operation timed out"; break;
    case CURLE_COULDNT_CONNECT: number = 12029; text = "A connection with the server could not be established"; break;
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_PARTIAL_FILE:
    case CURLE_GOT_NOTHING: number = 12030; text = "The connection with the server was terminated abnormally"; break;
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_BAD_CONTENT_ENCODING: number = 12152; text = "The server returned an invalid or unrecognized response"; break;
    default: break;
  }
  if (!detail.empty()) {
    text += " (";
    text += detail;
    text += ")";
  } else if (const char* message = curl_easy_strerror(static_cast<CURLcode>(curlCode)); message && *message) {
    text += " (";
    text += message;
    text += ")";
  }
  return {number, std::move(text)};
}

std::string httpGet(const HttpGetRequest& request) {
  ensureGlobalInit();
  CurlEasy curl;
  if (!curl.get()) throw curlFailure(CURLE_FAILED_INIT, {});
  CurlHeaderList headers;
  if (request.bypassCache) {
    headers.append("Cache-Control: no-cache");
    headers.append("Pragma: no-cache");
  }
  std::string body;
  char errorText[CURL_ERROR_SIZE] = {};
  setOption(curl.get(), CURLOPT_ERRORBUFFER, errorText);
  setOption(curl.get(), CURLOPT_URL, request.url.c_str());
  setOption(curl.get(), CURLOPT_PROTOCOLS_STR, "http,https");
  setOption(curl.get(), CURLOPT_USERAGENT, request.userAgent.c_str());
  setOption(curl.get(), CURLOPT_HTTPHEADER, headers.get());
  setOption(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
  setOption(curl.get(), CURLOPT_MAXREDIRS, 10L);
  setOption(curl.get(), CURLOPT_CONNECTTIMEOUT, request.connectTimeoutSeconds);
  setOption(curl.get(), CURLOPT_TIMEOUT, request.totalTimeoutSeconds);
  setOption(curl.get(), CURLOPT_NOSIGNAL, 1L);
  setOption(curl.get(), CURLOPT_WRITEFUNCTION, appendBody);
  setOption(curl.get(), CURLOPT_WRITEDATA, &body);
  const CURLcode rc = curl_easy_perform(curl.get());
  if (rc != CURLE_OK) throw curlFailure(rc, errorText);
  return body;
}

}  // namespace tavrello::sys
