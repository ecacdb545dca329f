#include "foundation/currency_load_file.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "foundation/atomic_file.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"

namespace rxf {

namespace {

static_assert(sizeof(TDateTime) == 8 && std::endian::native == std::endian::little,
              "the file holds a little-endian IEEE double");

}  // namespace

std::string LastCurrencyLoadFile(const TConfiguration& config) {
  return config.ServerDir + "/Ramulex.lcu";
}

std::optional<TDateTime> ReadLastCurrencyLoad(const std::string& fileName) {
  std::string content;
  try {
    content = ReadWholeFile(DiskPath(fileName));
  } catch (const Error&) {
    return std::nullopt;
  }
  if (content.size() != sizeof(TDateTime))
    return std::nullopt;
  TDateTime date;
  std::memcpy(&date, content.data(), sizeof date);
  if (!std::isfinite(date))
    return std::nullopt;
  return date;
}

void WriteLastCurrencyLoad(const std::string& fileName, TDateTime date) {
  std::string content(sizeof date, '\0');
  std::memcpy(content.data(), &date, sizeof date);
  WriteFileAtomically(DiskPath(fileName), content);
}

bool CurrencyLoadDue(const std::string& fileName, TDateTime today) {
  return today > ReadLastCurrencyLoad(fileName).value_or(today - 1);
}

}  // namespace rxf
