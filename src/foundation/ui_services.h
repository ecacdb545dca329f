// The user-interface services the core calls: message boxes, questions and the busy cursor.
// The core never shows anything itself; each application supplies an implementation
// (the command line prints and answers by policy, the desktop shows dialogs).
// All texts are Windows-1251.
#pragma once

#include <string>
#include <string_view>

namespace rxf {

enum class ScreenCursor { Default, Hourglass, SqlWait };

class UiServices {
 public:
  virtual ~UiServices() = default;

  virtual void ShowWarning(std::string_view text) = 0;
  virtual void ShowError(std::string_view text) = 0;
  virtual void ShowInfo(std::string_view text) = 0;
  // An error box whose text is Text, a line break and "[Detail]".
  void ShowErrorDetail(std::string_view text, std::string_view detail);

  // True when the user answers OK.
  virtual bool AskConfirm(std::string_view text) = 0;
  virtual bool AskOkAbort(std::string_view text) = 0;
  // 1 for the first button, 2 for the second, 0 when closed otherwise.
  virtual int AskTwoButtons(std::string_view text, std::string_view caption1,
                            std::string_view caption2, std::string_view title) = 0;

  // One saved slot, not a stack: an inner pair restores the hourglass of the outer one,
  // and the outer RestoreCursor then shows the default cursor.
  void BusyCursor();
  void BusyCursorSQL();
  void RestoreCursor();
  ScreenCursor Cursor() const { return cursor_; }

 protected:
  // Shows a cursor on the screen; an application without a screen ignores it.
  virtual void ApplyCursor(ScreenCursor) {}

 private:
  void SetCursor(ScreenCursor cursor);

  ScreenCursor cursor_ = ScreenCursor::Default;
  ScreenCursor saved_ = ScreenCursor::Default;
};

// Shows the hourglass for a scope, restored on every exit, failure included.
class BusyCursorScope {
 public:
  explicit BusyCursorScope(UiServices& ui) : ui_(ui) { ui_.BusyCursor(); }
  ~BusyCursorScope() { ui_.RestoreCursor(); }
  BusyCursorScope(const BusyCursorScope&) = delete;
  BusyCursorScope& operator=(const BusyCursorScope&) = delete;

 private:
  UiServices& ui_;
};

}  // namespace rxf
