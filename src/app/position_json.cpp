#include "app/position_json.h"

#include <limits>
#include <nlohmann/json.hpp>

#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf::app {

namespace {

using nlohmann::json;

[[noreturn]] void BadMember(std::string_view path, std::string_view expected) {
  throw Error(Utf8ToCp1251(std::string(path) + ": expected " + std::string(expected)));
}

const json* Member(const json& object, const char* name) {
  const auto found = object.find(name);
  return found == object.end() || found->is_null() ? nullptr : &*found;
}

template <typename T>
void ReadInteger(const json& object, const char* name, T& target, const std::string& path) {
  const json* value = Member(object, name);
  if (!value)
    return;
  if (!value->is_number_integer())
    BadMember(path + name, "a whole number");
  const auto number = value->get<std::int64_t>();
  if (number < std::numeric_limits<T>::min() || number > std::numeric_limits<T>::max())
    BadMember(path + name, "a whole number in range");
  target = static_cast<T>(number);
}

void ReadFloat(const json& object, const char* name, float& target, const std::string& path) {
  const json* value = Member(object, name);
  if (!value)
    return;
  if (!value->is_number())
    BadMember(path + name, "a number");
  target = value->get<float>();
}

void ReadBool(const json& object, const char* name, bool& target, const std::string& path) {
  const json* value = Member(object, name);
  if (!value)
    return;
  if (!value->is_boolean())
    BadMember(path + name, "true or false");
  target = value->get<bool>();
}

std::string Text(const json& value, const std::string& path) {
  if (!value.is_string())
    BadMember(path, "a text");
  try {
    return Utf8ToCp1251(value.get<std::string>());
  } catch (const Error& e) {
    throw Error(Utf8ToCp1251(path + ": ") + e.what());
  }
}

void ReadText(const json& object, const char* name, std::string& target, const std::string& path) {
  if (const json* value = Member(object, name))
    target = Text(*value, path + name);
}

void ReadLines(const json& object, const char* name, std::vector<std::string>& target,
               const std::string& path) {
  const json* value = Member(object, name);
  if (!value)
    return;
  if (!value->is_array())
    BadMember(path + name, "a list of texts");
  for (std::size_t i = 0; i < value->size(); ++i)
    target.push_back(Text((*value)[i], path + name + "[" + std::to_string(i) + "]"));
}

TKitChoice ReadChoice(const json& sash, const std::string& path) {
  if (!sash.is_object())
    BadMember(path, "an object");
  TKitChoice choice;
  ReadInteger(sash, "DornType", choice.DornType, path + ".");
  const std::pair<const char*, std::string*> kits[] = {
      {"ComplectID", &choice.ComplectID}, {"HandleID", &choice.HandleID},
      {"HingeID", &choice.HingeID},       {"LockID", &choice.LockID},
      {"CylinderID", &choice.CylinderID}, {"DriveID", &choice.DriveID},
      {"LatchID", &choice.LatchID}};
  for (const auto& [name, target] : kits)
    ReadText(sash, name, *target, path + ".");
  ReadLines(sash, "AddComplects", choice.AddComplects, path + ".");
  ReadLines(sash, "Properties", choice.Properties, path + ".");
  ReadInteger(sash, "HandleHeight", choice.HandleHeight, path + ".");
  ReadBool(sash, "UserDefineHeight", choice.UserDefineHeight, path + ".");
  return choice;
}

TCurrencyList ReadCurrencies(const json& value) {
  if (!value.is_array())
    BadMember("Currencies", "a list of {\"ID\", \"Value\"}");
  TCurrencyList list;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const std::string path = "Currencies[" + std::to_string(i) + "].";
    if (!value[i].is_object())
      BadMember(path, "an object");
    TrxfCurrencyItem item;
    ReadInteger(value[i], "ID", item.ID, path);
    ReadFloat(value[i], "Value", item.Value, path);
    list.push_back(item);
  }
  return list;
}

}  // namespace

TPositionInput ParsePositionJson(std::string_view utf8) {
  json root;
  try {
    root = json::parse(utf8);
  } catch (const json::parse_error& e) {
    throw Error(Utf8ToCp1251(std::string("malformed JSON: ") + e.what()));
  }
  if (!root.is_object())
    BadMember("position", "a JSON object");
  TPositionInput in;
  ReadInteger(root, "Shape", in.Shape.Shape, "");
  ReadInteger(root, "Width", in.Shape.Width, "");
  ReadInteger(root, "Height", in.Shape.Height, "");
  ReadInteger(root, "SizeX", in.Shape.SizeX, "");
  ReadInteger(root, "SizeY", in.Shape.SizeY, "");
  ReadFloat(root, "Radius", in.Shape.Radius, "");
  ReadFloat(root, "Radius2", in.Shape.Radius2, "");
  ReadInteger(root, "FlugelMode", in.FlugelMode, "");
  ReadText(root, "FurnSys", in.FurnSys, "");
  ReadText(root, "ProfSys", in.ProfSys, "");
  ReadText(root, "FurnColor", in.FurnColor, "");
  ReadInteger(root, "FalzType", in.FalzType, "");
  ReadInteger(root, "StulpFalzType", in.StulpFalzType, "");
  ReadInteger(root, "FlugelType", in.FlugelType, "");
  ReadFloat(root, "ProfWidth", in.ProfWidth, "");
  ReadFloat(root, "ProfThickness", in.ProfThickness, "");
  ReadText(root, "OuterProfColor", in.OuterProfColor, "");
  ReadText(root, "InnerProfColor", in.InnerProfColor, "");
  if (Member(root, "Currency")) {
    std::int32_t id = 0;
    ReadInteger(root, "Currency", id, "");
    in.Currency = id;
  }
  if (const json* currencies = Member(root, "Currencies"))
    in.Currencies = ReadCurrencies(*currencies);
  ReadBool(root, "DebugMode", in.DebugMode, "");
  if (const json* sash = Member(root, "Flugel1"))
    in.Flugel1 = ReadChoice(*sash, "Flugel1");
  in.Flugel2.DornType = in.Flugel1.DornType;
  if (const json* sash = Member(root, "Flugel2")) {
    in.Flugel2 = ReadChoice(*sash, "Flugel2");
    if (!Member(*sash, "DornType"))
      in.Flugel2.DornType = in.Flugel1.DornType;
  }
  return in;
}

}  // namespace rxf::app
