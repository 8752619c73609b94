#pragma once

#include <string>

namespace tavrello::host {

// The host application object that the add-in receives on connection and
// keeps for as long as it is loaded. Members carry the names of the
// spreadsheet object model the add-in was written against; a property is a
// getter Name() and a setter Name(value).
class Application {
 public:
  virtual ~Application() = default;

  // Text whose leading number is the host's major version ("12.0").
  virtual std::string Version() const = 0;

  // Whether the host redraws its window; the error reporter switches it on
  // before it shows a failure.
  virtual bool ScreenUpdating() const = 0;
  virtual void ScreenUpdating(bool on) = 0;
};

}  // namespace tavrello::host
