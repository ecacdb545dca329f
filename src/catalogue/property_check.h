// Whether a property rule of the catalogue (FrnProp rows sharing one PropKey) admits the
// properties chosen for a sash.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "catalogue/data_module.h"

namespace rxf {

// propList holds "kind=value" lines ("1=1234": a handle's property value 1234). Every line of
// the given kind must be admitted: the rule lists the value itself, or lists no value of the
// same decade (values 10k..10k+9 are the alternatives of one property). A key without any
// FrnProp row admits everything. Raises Error for a line of that kind whose value is no integer.
bool CheckProperties(const TDM& dm, std::int32_t propKey, std::span<const std::string> propList,
                     int kind);

}  // namespace rxf
