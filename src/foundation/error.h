// The one failure type of the system: its text is the complete user message,
// in Windows-1251, ready to be shown as it stands.
#pragma once

#include <stdexcept>
#include <string>

namespace rxf {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace rxf
