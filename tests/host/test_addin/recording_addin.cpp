// A small add-in for the host's tests, not Tavrello: it appends each call it
// receives to the file named by TAVRELLO_TEST_ADDIN_LOG, adds a temporary
// bar while connected, and refuses to connect when TAVRELLO_TEST_ADDIN_FAIL
// is "connect".

#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/host/addin_entry.h"
#include "platform/host/application.h"

namespace {

void record(const std::string& line) {
  const char* log = std::getenv("TAVRELLO_TEST_ADDIN_LOG");
  if (!log) return;
  std::ofstream(log, std::ios::app) << line << "\n";
}

class RecordingAddin : public tavrello::host::AddinConnection {
 public:
  RecordingAddin() { record("created"); }
  ~RecordingAddin() override { record("released"); }

  void AddinInstance_OnConnection(const std::shared_ptr<tavrello::host::Application>& application,
                                  int connectMode) override {
    application_ = application;
    record("connect " + std::to_string(connectMode) + " " + application->Version());
    const char* fail = std::getenv("TAVRELLO_TEST_ADDIN_FAIL");
    if (fail && std::string(fail) == "connect") throw std::runtime_error("the recording add-in refuses to connect");
    application->CommandBars()->Add(std::string("Recorder"), tavrello::host::MsoBarPosition::Floating, false, true);
  }

  void AddinInstance_OnDisconnection(int removeMode) override {
    record("disconnect " + std::to_string(removeMode));
    application_.reset();
  }

 private:
  std::shared_ptr<tavrello::host::Application> application_;
};

}  // namespace

TAVRELLO_ADDIN_EXPORT int tavrello_addin_create(std::uint32_t hostAbiVersion, tavrello_addin* addin, char* error,
                                                std::size_t errorSize) {
  return tavrello::host::createAddin<RecordingAddin>(hostAbiVersion, addin, error, errorSize);
}
