#include "foundation/ui_services.h"

namespace rxf {

void UiServices::ShowErrorDetail(std::string_view text, std::string_view detail) {
  std::string message(text);
  message += "\r\n[";
  message += detail;
  message += "]";
  ShowError(message);
}

void UiServices::BusyCursor() {
  saved_ = cursor_;
  SetCursor(ScreenCursor::Hourglass);
}

void UiServices::BusyCursorSQL() {
  saved_ = cursor_;
  SetCursor(ScreenCursor::SqlWait);
}

void UiServices::RestoreCursor() {
  SetCursor(saved_);
  saved_ = ScreenCursor::Default;
}

void UiServices::SetCursor(ScreenCursor cursor) {
  cursor_ = cursor;
  ApplyCursor(cursor);
}

}  // namespace rxf
