// What the user would read, in UTF-8 for readable comparisons: the message of the Error an action
// raises, and the messages shown through RecordingUi.
#pragma once

#include <string>
#include <vector>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/recording_ui.h"

namespace rxf {

// "no error" when the action raises none.
template <typename Action>
std::string ErrorText(Action action) {
  try {
    action();
  } catch (const Error& e) {
    return Cp1251ToUtf8(e.what());
  }
  return "no error";
}

inline std::vector<std::string> MessagesOf(const RecordingUi& ui) {
  std::vector<std::string> texts;
  for (const auto& entry : ui.Entries())
    texts.push_back(Cp1251ToUtf8(entry.text));
  return texts;
}

}  // namespace rxf
