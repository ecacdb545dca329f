// The typed document stream: a growable in-memory byte stream with a current position, and the
// value slots the document files are made of. Numbers are little-endian; text is Windows-1251
// bytes. The data never says which slot comes next: writer and reader follow the same layout.
//
//   text slot:   int32 byte count N >= 0, then N bytes
//   tagged slot: 16 bytes: uint16 tag, 6 reserved zero bytes, 8 payload bytes
//
// doc/stream-format.md describes the slots, the tags and the reading rules in full.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "foundation/datetime.h"
#include "foundation/money.h"
#include "foundation/ui_services.h"

namespace rxf {

class TSpecStream {
 public:
  // ui shows the message about a text slot cut short by the end of the data.
  explicit TSpecStream(UiServices& ui) : ui_(ui) {}
  // A stream holding content, positioned at its start.
  TSpecStream(UiServices& ui, std::string content) : ui_(ui), data_(std::move(content)) {}

  // The whole file as a stream positioned at its start; Error when it cannot be read.
  static TSpecStream LoadFromFile(UiServices& ui, const std::filesystem::path& path);
  // Replaces the file with the whole content in one step (see atomic_file.h).
  void SaveToFile(const std::filesystem::path& path) const;

  // Byte stream. Reading stops at the end; writing grows the stream, and writing past the end
  // fills the gap with zero bytes.
  std::size_t Read(std::span<char> buffer);
  void Write(std::string_view bytes);
  // Copies count bytes from the source's position to this one, advancing both;
  // Error, and nothing copied, when the source holds fewer.
  void CopyFrom(TSpecStream& source, std::size_t count);
  std::string_view Content() const { return data_; }
  std::size_t Size() const { return data_.size(); }
  std::size_t Position() const { return position_; }
  void Seek(std::size_t position) { position_ = position; }
  void Rewind() { position_ = 0; }
  void Clear();

  // Each Write appends one slot at the position.
  void WriteString(std::string_view text);
  void WriteInteger(std::int32_t value);
  void WriteByte(std::uint8_t value);
  void WriteBoolean(bool value);
  void WriteReal(double value);
  // A field held as a 32-bit float, stored widened as a real.
  void WriteSingle(float value);
  void WriteDate(TDateTime value);
  void WriteCurrency(Money value);

  // Each Read consumes one slot. Error on data that cannot be the asked slot: a text count cut
  // short or negative, an unknown tag, a number that does not fit the asked kind.
  std::string ReadString();
  std::int32_t ReadInteger();
  // An integer that counts the records following it, each at least minRecordSize bytes long.
  // Error when it is negative or the rest of the data cannot hold that many: a damaged count
  // must not make a reader build millions of empty records.
  std::int32_t ReadCount(std::size_t minRecordSize);
  std::uint8_t ReadByte();
  bool ReadBoolean();
  double ReadReal();
  float ReadSingle();
  TDateTime ReadDate();
  Money ReadCurrency();

 private:
  void WriteTagged(std::uint16_t tag, std::uint64_t payload);
  // Up to count bytes from the position, which moves past them; fewer at the end of the data.
  std::string_view Take(std::size_t count);
  std::int32_t ReadTextCount();

  UiServices& ui_;
  std::string data_;
  std::size_t position_ = 0;
};

}  // namespace rxf
