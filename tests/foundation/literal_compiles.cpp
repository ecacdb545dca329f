// Compiled by the literal tests: a literal every character of which has a Windows-1251 form.
#include "foundation/cp1251.h"
using namespace rxf::literals;
constexpr auto kText = "Ошибка загрузки заказа! €"_w;
static_assert(kText.size() == 25);
