#include "documents/moment.h"

#include <ctime>

namespace rxf {

TDateTime CurrentMoment() {
  constexpr double kSecondsPerDay = 86400;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const int seconds = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         seconds / kSecondsPerDay;
}

}  // namespace rxf
