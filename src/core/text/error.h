// The general error type of the engine: an unexpected failure that carries a
// message. A command that meets one is abandoned; the front end shows the
// message (a box with OK in the desktop program, standard error in the CLI).
// Expected problems of the user's own making go to UserInterface instead.
#pragma once

#include <stdexcept>
#include <string>

namespace lexvane::text {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace lexvane::text
