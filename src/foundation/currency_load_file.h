// "Ramulex.lcu" in the server folder: the date of the last confirmed load of currency rates, as
// 8 bytes holding one little-endian IEEE double (days since 30 December 1899). The currency-rate
// dialog opens at the first start of each day.
#pragma once

#include <optional>
#include <string>

#include "foundation/configuration.h"
#include "foundation/datetime.h"

namespace rxf {

// ServerDir + "/Ramulex.lcu".
std::string LastCurrencyLoadFile(const TConfiguration& config);

// The date the file holds; nullopt when it is missing, does not hold exactly 8 bytes or holds no
// number.
std::optional<TDateTime> ReadLastCurrencyLoad(const std::string& fileName);
// Replaces the file atomically; Error names the file when it cannot be written.
void WriteLastCurrencyLoad(const std::string& fileName, TDateTime date);

// Whether today is later than the date in the file; a missing or unreadable file counts as
// yesterday.
bool CurrencyLoadDue(const std::string& fileName, TDateTime today);

}  // namespace rxf
