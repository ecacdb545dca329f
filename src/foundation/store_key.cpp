#include "foundation/store_key.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace {

std::vector<std::string_view> SplitKeyPath(std::string_view path) {
  std::vector<std::string_view> parts;
  while (!path.empty()) {
    const std::size_t end = std::min(path.find('\\'), path.size());
    if (end > 0)
      parts.push_back(path.substr(0, end));
    path.remove_prefix(std::min(end + 1, path.size()));
  }
  return parts;
}

bool ComesBefore(std::string_view a, std::string_view b) {
  return AnsiUpperCase(a) < AnsiUpperCase(b);
}

static_assert(sizeof(double) == 8 && std::endian::native == std::endian::little,
              "dates are kept as little-endian IEEE doubles");

}  // namespace

const StoreKey* StoreKey::FindKey(std::string_view path) const {
  const StoreKey* key = this;
  for (const std::string_view part : SplitKeyPath(path)) {
    key = key->FindSubKey(part);
    if (key == nullptr)
      return nullptr;
  }
  return key;
}

StoreKey* StoreKey::FindKey(std::string_view path) {
  return const_cast<StoreKey*>(std::as_const(*this).FindKey(path));
}

StoreKey& StoreKey::CreateKey(std::string_view path) {
  StoreKey* key = this;
  for (const std::string_view part : SplitKeyPath(path)) {
    StoreKey* next = key->FindSubKey(part);
    key = next != nullptr ? next : &key->AddSubKey(part);
  }
  return *key;
}

bool StoreKey::DeleteKey(std::string_view path) {
  const std::vector<std::string_view> parts = SplitKeyPath(path);
  if (parts.empty())
    return false;
  StoreKey* parent = this;
  for (std::size_t i = 0; i + 1 < parts.size() && parent != nullptr; ++i)
    parent = parent->FindSubKey(parts[i]);
  if (parent == nullptr)
    return false;
  auto& siblings = parent->subKeys_;
  const auto found = std::find_if(siblings.begin(), siblings.end(), [&](const auto& key) {
    return AnsiSameText(key->name_, parts.back());
  });
  if (found == siblings.end())
    return false;
  siblings.erase(found);
  return true;
}

std::vector<std::string> StoreKey::SubKeyNames() const {
  std::vector<std::string> names;
  for (const auto& key : subKeys_)
    names.push_back(key->name_);
  return names;
}

StoreKey* StoreKey::FindSubKey(std::string_view name) const {
  for (const auto& key : subKeys_)
    if (AnsiSameText(key->name_, name))
      return key.get();
  return nullptr;
}

StoreKey& StoreKey::AddSubKey(std::string_view name) {
  const auto place = std::find_if(subKeys_.begin(), subKeys_.end(),
                                  [&](const auto& key) { return ComesBefore(name, key->name_); });
  return **subKeys_.insert(place, std::make_unique<StoreKey>(std::string(name)));
}

const StoreValue* StoreKey::FindValue(std::string_view name) const {
  for (const StoreValue& value : values_)
    if (AnsiSameText(value.Name, name))
      return &value;
  return nullptr;
}

template <typename T>
std::optional<T> StoreKey::ReadAs(std::string_view name) const {
  const StoreValue* value = FindValue(name);
  if (value == nullptr)
    return std::nullopt;
  if (const T* data = std::get_if<T>(&value->Data))
    return *data;
  throw Error(
      Format("Значение «%s» раздела «%s» хранится с другим типом данных"_w, value->Name, name_));
}

std::optional<std::string> StoreKey::ReadText(std::string_view name) const {
  return ReadAs<std::string>(name);
}

std::optional<std::int32_t> StoreKey::ReadInteger(std::string_view name) const {
  return ReadAs<std::int32_t>(name);
}

std::optional<bool> StoreKey::ReadBool(std::string_view name) const {
  const auto value = ReadInteger(name);
  if (!value)
    return std::nullopt;
  return *value != 0;
}

std::optional<StoreBinary> StoreKey::ReadBinary(std::string_view name) const {
  return ReadAs<StoreBinary>(name);
}

std::optional<TDateTime> StoreKey::ReadDate(std::string_view name) const {
  const auto bytes = ReadBinary(name);
  if (!bytes)
    return std::nullopt;
  if (bytes->size() != sizeof(TDateTime))
    throw Error(Format("Значение «%s» раздела «%s» не является датой"_w, name, name_));
  TDateTime value;
  std::memcpy(&value, bytes->data(), sizeof value);
  return value;
}

void StoreKey::WriteText(std::string_view name, std::string_view text) {
  WriteData(name, std::string(text));
}

void StoreKey::WriteInteger(std::string_view name, std::int32_t value) {
  WriteData(name, value);
}

void StoreKey::WriteBool(std::string_view name, bool value) {
  WriteData(name, std::int32_t{value ? 1 : 0});
}

void StoreKey::WriteBinary(std::string_view name, const StoreBinary& bytes) {
  WriteData(name, bytes);
}

void StoreKey::WriteDate(std::string_view name, TDateTime value) {
  StoreBinary bytes(sizeof value);
  std::memcpy(bytes.data(), &value, sizeof value);
  WriteData(name, std::move(bytes));
}

bool StoreKey::DeleteValue(std::string_view name) {
  const auto found = std::find_if(values_.begin(), values_.end(), [&](const StoreValue& value) {
    return AnsiSameText(value.Name, name);
  });
  if (found == values_.end())
    return false;
  values_.erase(found);
  return true;
}

void StoreKey::WriteData(std::string_view name, StoreData data) {
  for (StoreValue& value : values_)
    if (AnsiSameText(value.Name, name)) {
      value.Data = std::move(data);
      return;
    }
  values_.push_back({std::string(name), std::move(data)});
}

}  // namespace rxf
