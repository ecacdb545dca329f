// One key of the per-user settings store, the system's stand-in for the registry: named subkeys
// and named, typed values. As in the registry, key and value names are found ignoring case (the
// ANSI upper-case forms) and keep the spelling they were created with; subkeys are listed in the
// order of their upper-case names. Texts and names are Windows-1251.
//
// Reads: a missing value gives nullopt (each caller has its own default); a value stored with
// another type raises Error naming the value, as the registry refuses it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "foundation/datetime.h"

namespace rxf {

using StoreBinary = std::vector<std::uint8_t>;
// Text, 32-bit integer (booleans are 0 and 1) or binary.
using StoreData = std::variant<std::string, std::int32_t, StoreBinary>;

struct StoreValue {
  std::string Name;
  StoreData Data;
};

class StoreKey {
 public:
  explicit StoreKey(std::string name = {}) : name_(std::move(name)) {}

  const std::string& Name() const { return name_; }

  // A path is subkey names separated by "\"; empty parts (a leading "\" too) are skipped, so
  // "\SoftWare\Korvat" and "SoftWare\Korvat" name the same key below this one.
  const StoreKey* FindKey(std::string_view path) const;
  StoreKey* FindKey(std::string_view path);
  // The key at path, created with its missing parents.
  StoreKey& CreateKey(std::string_view path);
  // Removes the key at path with everything below it; false when there is none.
  bool DeleteKey(std::string_view path);

  std::vector<std::string> SubKeyNames() const;
  const std::vector<std::unique_ptr<StoreKey>>& SubKeys() const { return subKeys_; }

  bool ValueExists(std::string_view name) const { return FindValue(name) != nullptr; }
  const std::vector<StoreValue>& Values() const { return values_; }

  std::optional<std::string> ReadText(std::string_view name) const;
  std::optional<std::int32_t> ReadInteger(std::string_view name) const;
  // Any non-zero integer is true.
  std::optional<bool> ReadBool(std::string_view name) const;
  std::optional<StoreBinary> ReadBinary(std::string_view name) const;
  // A date-time kept as 8 bytes: a little-endian IEEE double; other sizes raise Error.
  std::optional<TDateTime> ReadDate(std::string_view name) const;

  void WriteText(std::string_view name, std::string_view text);
  void WriteInteger(std::string_view name, std::int32_t value);
  void WriteBool(std::string_view name, bool value);
  void WriteBinary(std::string_view name, const StoreBinary& bytes);
  void WriteDate(std::string_view name, TDateTime value);
  // Writes data of whichever type it holds.
  void WriteData(std::string_view name, StoreData data);
  // Removes the value; false when there is none.
  bool DeleteValue(std::string_view name);

 private:
  const StoreValue* FindValue(std::string_view name) const;
  StoreKey* FindSubKey(std::string_view name) const;
  StoreKey& AddSubKey(std::string_view name);
  // The value's data when it holds a T; nullopt when the value is missing; Error otherwise.
  template <typename T>
  std::optional<T> ReadAs(std::string_view name) const;

  std::string name_;
  std::vector<std::unique_ptr<StoreKey>> subKeys_;  // in the order of their upper-case names
  std::vector<StoreValue> values_;                  // in the order they were created
};

}  // namespace rxf
