// Compiled by the literal tests: must not compile, the yen sign has no Windows-1251 form.
#include "foundation/cp1251.h"
using namespace rxf::literals;
constexpr auto kText = "Цена ¥"_w;
