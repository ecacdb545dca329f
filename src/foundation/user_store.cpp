#include "foundation/user_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>
#include <string>

#include "foundation/atomic_file.h"
#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/file_lock.h"
#include "foundation/format.h"
#include "foundation/hex_text.h"
#include "foundation/text.h"
#include "foundation/user_folders.h"

namespace rxf {

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

// What is wrong with a damaged file, in Windows-1251; Read puts it into the store's message.
struct DamagedStore {
  std::string reason;
};

StoreBinary HexToBytes(const std::string& hex) {
  if (hex.size() % 2 != 0 || hex.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
    throw DamagedStore{
        Format("двоичное значение «%s» — не пары шестнадцатеричных цифр"_w, Utf8ForMessage(hex))};
  const std::string bytes = BytesOfHex(hex);
  return StoreBinary(bytes.begin(), bytes.end());
}

Json ValueToJson(const StoreData& data) {
  if (const auto* text = std::get_if<std::string>(&data))
    return Json{{"text", Cp1251ToUtf8(*text)}};
  if (const auto* integer = std::get_if<std::int32_t>(&data))
    return Json{{"integer", *integer}};
  const auto& bytes = std::get<StoreBinary>(data);
  return Json{{"binary", HexOfBytes(std::string(bytes.begin(), bytes.end()))}};
}

// A JSON string of Windows-1251 text.
std::string Quoted(std::string_view text) {
  return Json(Cp1251ToUtf8(text)).dump();
}

// Every key below parent as one member named by its full path, depth first; each value on a line
// of its own.
void AddKeys(std::string& out, const StoreKey& parent, const std::string& parentPath) {
  for (const auto& key : parent.SubKeys()) {
    const std::string path = parentPath + "\\" + key->Name();
    out += out.ends_with("{\n") ? "  " : ",\n  ";
    out += Quoted(path) + ": {";
    const char* separator = "\n    ";
    for (const StoreValue& value : key->Values()) {
      out += separator + Quoted(value.Name) + ": " + ValueToJson(value.Data).dump();
      separator = ",\n    ";
    }
    out += key->Values().empty() ? "}" : "\n  }";
    AddKeys(out, *key, path);
  }
}

std::string SerializeStore(const StoreKey& root) {
  std::string out = "{\n";
  AddKeys(out, root, "");
  return out == "{\n" ? "{}\n" : out + "\n}\n";
}

std::string TextOf(const std::string& utf8) {
  if (!IsCp1251Representable(utf8))
    throw DamagedStore{
        Format("в «%s» есть символ вне кодировки Windows-1251"_w, Utf8ForMessage(utf8))};
  return Utf8ToCp1251(utf8);
}

bool IsInt32(const Json& data) {
  if (data.is_number_unsigned())
    return data.get<std::uint64_t>() <= std::numeric_limits<std::int32_t>::max();
  return data.is_number_integer() &&
         data.get<std::int64_t>() >= std::numeric_limits<std::int32_t>::min() &&
         data.get<std::int64_t>() <= std::numeric_limits<std::int32_t>::max();
}

StoreData ValueFromJson(const std::string& name, const Json& value) {
  if (!value.is_object() || value.size() != 1)
    throw DamagedStore{Format("значение «%s» — не объект с одним членом"_w, Utf8ForMessage(name))};
  const auto member = value.begin();
  const std::string& type = member.key();
  const Json& data = member.value();
  if (type == "text" && data.is_string())
    return TextOf(data.get<std::string>());
  if (type == "integer" && IsInt32(data))
    return data.get<std::int32_t>();
  if (type == "binary" && data.is_string())
    return HexToBytes(data.get<std::string>());
  throw DamagedStore{
      Format("значение «%s» — не текст, не 32-битное целое и не двоичное"_w, Utf8ForMessage(name))};
}

StoreKey ParseStore(const std::string& content) {
  StoreKey root;
  if (Trim(content).empty())
    return root;
  const Json document = Json::parse(content);
  if (!document.is_object())
    throw DamagedStore{std::string("файл — не объект JSON с разделами"_w)};
  for (const auto& [path, values] : document.items()) {
    if (!values.is_object())
      throw DamagedStore{Format("раздел «%s» — не объект со значениями"_w, Utf8ForMessage(path))};
    StoreKey& key = root.CreateKey(TextOf(path));
    for (const auto& [name, value] : values.items())
      key.WriteData(TextOf(name), ValueFromJson(name, value));
  }
  return root;
}

[[noreturn]] void ThrowFileError(std::string_view failure, const fs::path& path,
                                 const std::string& reason) {
  throw Error(std::string(failure) + std::string(" «"_w) + PathForMessage(path) +
              std::string("»: "_w) + reason);
}

// A new, empty file that only the user may read, so that the atomic save keeps its mode.
void CreatePrivateFile(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0)
    ThrowFileError("Не удалось создать файл"_w, path, std::strerror(errno));
  ::close(fd);
}

}  // namespace

fs::path UserStore::DefaultFile() {
  return UserConfigFolder() / "user-store.json";
}

StoreKey UserStore::Read() const {
  std::error_code error;
  if (!fs::exists(file_, error))
    return StoreKey();
  const std::string content = ReadWholeFile(file_);
  try {
    return ParseStore(content);
  } catch (const Json::exception& e) {
    ThrowFileError("Файл настроек пользователя повреждён"_w, file_, e.what());
  } catch (const DamagedStore& e) {
    ThrowFileError("Файл настроек пользователя повреждён"_w, file_, e.reason);
  }
}

void UserStore::Update(const std::function<void(StoreKey& root)>& change) {
  MakePrivateFolder();
  const FileLock lock(file_);
  StoreKey root = Read();
  const std::string before = SerializeStore(root);
  change(root);
  const std::string after = SerializeStore(root);
  if (after == before)
    return;
  if (!fs::exists(file_))
    CreatePrivateFile(file_);
  WriteFileAtomically(file_, after);
}

void UserStore::MakePrivateFolder() const {
  const fs::path folder = file_.parent_path();
  std::error_code error;
  if (fs::is_directory(folder, error))
    return;
  fs::create_directories(folder.parent_path(), error);
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
    ThrowFileError("Не удалось создать папку"_w, folder, std::strerror(errno));
}

}  // namespace rxf
