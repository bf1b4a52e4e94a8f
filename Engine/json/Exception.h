// The one exception type of the JSON model, reader and writer; the reader's located
// exceptions derive from it. Callers outside the JSON layer catch it and log it.
#pragma once

#include <stdexcept>
#include <string>

namespace json {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string &message) : std::runtime_error(message) {}
};

}  // namespace json
