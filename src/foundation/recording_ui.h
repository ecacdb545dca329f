// UiServices that shows nothing: it records every message and question and answers
// questions with preset replies. Batch callers and tests use it.
#pragma once

#include <string>
#include <vector>

#include "foundation/ui_services.h"

namespace rxf {

class RecordingUi : public UiServices {
 public:
  enum class Kind { Warning, Error, Info, Question };
  struct Entry {
    Kind kind;
    std::string text;
  };

  void ShowWarning(std::string_view text) override { Record(Kind::Warning, text); }
  void ShowError(std::string_view text) override { Record(Kind::Error, text); }
  void ShowInfo(std::string_view text) override { Record(Kind::Info, text); }
  bool AskConfirm(std::string_view text) override;
  bool AskOkAbort(std::string_view text) override;
  int AskTwoButtons(std::string_view text, std::string_view, std::string_view,
                    std::string_view) override;

  // The reply to every question: true and button 1, or false and button 2.
  void SetAnswer(bool yes) { answer_ = yes; }
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  void Record(Kind kind, std::string_view text) { entries_.push_back({kind, std::string(text)}); }

  bool answer_ = false;
  std::vector<Entry> entries_;
};

}  // namespace rxf
