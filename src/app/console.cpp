#include "app/console.h"

#include <string>

#include "foundation/cp1251.h"
#include "foundation/text.h"

namespace rxf::app {

void PrintLine(std::ostream& out, std::string_view cp1251_text) {
  out << Cp1251ToUtf8(ReplaceText(cp1251_text, "\r\n", "\n", false, false)) << '\n';
}

}  // namespace rxf::app
