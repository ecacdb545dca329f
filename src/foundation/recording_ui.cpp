#include "foundation/recording_ui.h"

namespace rxf {

bool RecordingUi::AskConfirm(std::string_view text) {
  Record(Kind::Question, text);
  return answer_;
}

bool RecordingUi::AskOkAbort(std::string_view text) {
  Record(Kind::Question, text);
  return answer_;
}

int RecordingUi::AskTwoButtons(std::string_view text, std::string_view, std::string_view,
                               std::string_view) {
  Record(Kind::Question, text);
  return answer_ ? 1 : 2;
}

}  // namespace rxf
