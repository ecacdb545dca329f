#include "foundation/spec_stream.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <limits>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/recording_ui.h"

namespace rxf {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values)
    bytes += static_cast<char>(value);
  return bytes;
}

// A tagged slot built by hand: tag, six zero bytes, eight payload bytes.
std::string Slot(std::uint16_t tag, std::uint64_t payload) {
  std::string slot(16, '\0');
  slot[0] = static_cast<char>(tag & 0xFF);
  slot[1] = static_cast<char>(tag >> 8);
  for (int i = 0; i < 8; ++i)
    slot[8 + i] = static_cast<char>(payload >> (8 * i));
  return slot;
}

std::string ErrorText(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return Cp1251ToUtf8(e.what());
  }
  return "no error";
}

TEST(SpecStream, WritesEachSlotInItsFixedLayout) {
  struct Case {
    const char* name;
    std::function<void(TSpecStream&)> write;
    std::string bytes;
  } cases[] = {
      {"empty text", [](auto& s) { s.WriteString(""); }, Bytes({0, 0, 0, 0})},
      {"abc", [](auto& s) { s.WriteString("abc"); }, Bytes({3, 0, 0, 0, 'a', 'b', 'c'})},
      {"cyrillic text as Windows-1251 bytes", [](auto& s) { s.WriteString("Ёж"_w); },
       Bytes({2, 0, 0, 0, 0xA8, 0xE6})},
      {"integer 1", [](auto& s) { s.WriteInteger(1); },
       Bytes({3, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0})},
      {"integer -2 is not sign-extended past four bytes", [](auto& s) { s.WriteInteger(-2); },
       Bytes({3, 0, 0, 0, 0, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0})},
      {"byte 200", [](auto& s) { s.WriteByte(200); },
       Bytes({17, 0, 0, 0, 0, 0, 0, 0, 200, 0, 0, 0, 0, 0, 0, 0})},
      {"true", [](auto& s) { s.WriteBoolean(true); },
       Bytes({11, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0})},
      {"false", [](auto& s) { s.WriteBoolean(false); },
       Bytes({11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"real 1.0", [](auto& s) { s.WriteReal(1.0); },
       Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F})},
      {"date 2.5", [](auto& s) { s.WriteDate(2.5); },
       Bytes({7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x04, 0x40})},
      {"currency 1.5 as 15000 ticks", [](auto& s) { s.WriteCurrency(Money::FromTicks(15000)); },
       Bytes({6, 0, 0, 0, 0, 0, 0, 0, 0x98, 0x3A, 0, 0, 0, 0, 0, 0})},
      {"currency -1 tick", [](auto& s) { s.WriteCurrency(Money::FromTicks(-1)); },
       Bytes({6, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})},
  };
  for (const auto& c : cases) {
    RecordingUi ui;
    TSpecStream stream(ui);
    c.write(stream);
    EXPECT_EQ(stream.Content(), c.bytes) << c.name;
    EXPECT_EQ(stream.Position(), c.bytes.size()) << c.name;
  }
}

// A record written with every slot kind, as document objects save and load themselves.
struct Record {
  std::string name;
  std::string note;
  std::int32_t count = 0;
  std::uint8_t kind = 0;
  bool visible = false;
  bool locked = false;
  double width = 0;
  float ratio = 0;
  TDateTime made = 0;
  Money price;

  void Save(TSpecStream& s) const {
    s.WriteString(name);
    s.WriteString(note);
    s.WriteInteger(count);
    s.WriteByte(kind);
    s.WriteBoolean(visible);
    s.WriteBoolean(locked);
    s.WriteReal(width);
    s.WriteSingle(ratio);
    s.WriteDate(made);
    s.WriteCurrency(price);
  }
  void Load(TSpecStream& s) {
    name = s.ReadString();
    note = s.ReadString();
    count = s.ReadInteger();
    kind = s.ReadByte();
    visible = s.ReadBoolean();
    locked = s.ReadBoolean();
    width = s.ReadReal();
    ratio = s.ReadSingle();
    made = s.ReadDate();
    price = s.ReadCurrency();
  }
  bool operator==(const Record&) const = default;
};

Record SampleRecord() {
  return {
      std::string("Створка поворотная"_w), "", -123456, 250, true, false, 1234.5678, 0.1f, 45000.75,
      Money::FromTicks(-9876543210)};
}

TEST(SpecStream, SnapshotRoundTripRestoresEveryField) {
  RecordingUi ui;
  const Record original = SampleRecord();
  TSpecStream snapshot(ui);
  original.Save(snapshot);
  snapshot.Rewind();

  Record copy;
  copy.Load(snapshot);
  EXPECT_EQ(copy, original);
  EXPECT_EQ(snapshot.Position(), snapshot.Size());
  EXPECT_TRUE(ui.Entries().empty());
}

TEST(SpecStream, SingleFieldIsStoredAsTheDoubleOfTheFloat) {
  RecordingUi ui;
  TSpecStream stream(ui);
  stream.WriteSingle(0.1f);
  const std::uint64_t stored = std::bit_cast<std::uint64_t>(static_cast<double>(0.1f));
  ASSERT_NE(stored, std::bit_cast<std::uint64_t>(0.1));
  EXPECT_EQ(stream.Content(), Slot(5, stored));
  stream.Rewind();
  EXPECT_EQ(stream.ReadSingle(), 0.1f);
}

TEST(SpecStream, TextReadsUpToItsFirstZeroByteAndSkipsTheWholeCount) {
  RecordingUi ui;
  TSpecStream stream(ui, Bytes({5, 0, 0, 0, 'a', 'b', 0, 'c', 'd'}) + Slot(3, 7));
  EXPECT_EQ(stream.ReadString(), "ab");
  EXPECT_EQ(stream.ReadInteger(), 7);
  EXPECT_TRUE(ui.Entries().empty());
}

TEST(SpecStream, EmptyTextReadsBackEmpty) {
  RecordingUi ui;
  TSpecStream stream(ui, Bytes({0, 0, 0, 0}) + Slot(3, 7));
  EXPECT_EQ(stream.ReadString(), "");
  EXPECT_EQ(stream.ReadInteger(), 7);
}

TEST(SpecStream, DataEndingInsideTextIsReportedThenReadsAsZero) {
  RecordingUi ui;
  TSpecStream stream(ui, Bytes({10, 0, 0, 0}) + std::string("Окн"_w));

  EXPECT_EQ(stream.ReadString(), std::string("Окн"_w));
  ASSERT_EQ(ui.Entries().size(), 1u);
  EXPECT_EQ(ui.Entries()[0].kind, RecordingUi::Kind::Error);
  EXPECT_EQ(Cp1251ToUtf8(ui.Entries()[0].text),
            "Ошибка чтения строки из потока!\r\nЗаказано: [10 символов], Считано: [3 символов]!");

  EXPECT_EQ(stream.ReadInteger(), 0);
  EXPECT_FALSE(stream.ReadBoolean());
  EXPECT_EQ(stream.ReadDate(), 0.0);
  EXPECT_EQ(stream.ReadCurrency(), Money());
  EXPECT_EQ(ErrorText([&] { stream.ReadString(); }),
            "Неверный формат данных по смещению 7: длина строки обрезана концом данных.");
}

TEST(SpecStream, TaggedSlotCutShortReadsMissingBytesAsZero) {
  RecordingUi ui;
  TSpecStream stream(ui, Slot(3, 0x01020304).substr(0, 10));
  EXPECT_EQ(stream.ReadInteger(), 0x0304);
  EXPECT_EQ(stream.Position(), 10u);
}

TEST(SpecStream, BadTextCountRaises) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string message;
  } cases[] = {
      {"negative", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 'a'}),
       "Неверный формат данных по смещению 0: отрицательная длина строки -1."},
      {"most negative", Bytes({0, 0, 0, 0x80}),
       "Неверный формат данных по смещению 0: отрицательная длина строки -2147483648."},
      {"cut after two bytes", Bytes({1, 0}),
       "Неверный формат данных по смещению 0: длина строки обрезана концом данных."},
      {"nothing left", "",
       "Неверный формат данных по смещению 0: длина строки обрезана концом данных."},
  };
  for (const auto& c : cases) {
    RecordingUi ui;
    TSpecStream stream(ui, c.bytes);
    EXPECT_EQ(ErrorText([&] { stream.ReadString(); }), c.message) << c.name;
  }
}

TEST(SpecStream, HugeTextCountReadsOnlyWhatIsThere) {
  RecordingUi ui;
  TSpecStream stream(ui, Bytes({0xFF, 0xFF, 0xFF, 0x7F, 'x'}));
  EXPECT_EQ(stream.ReadString(), "x");
  ASSERT_EQ(ui.Entries().size(), 1u);
  EXPECT_NE(Cp1251ToUtf8(ui.Entries()[0].text).find("[2147483647 символов], Считано: [1 "),
            std::string::npos);
}

TEST(SpecStream, RecordCountMustFitTheRemainingData) {
  RecordingUi ui;
  TSpecStream stream(ui);
  for (std::int32_t count : {2, 3, -1})
    stream.WriteInteger(count);
  stream.WriteInteger(7);
  stream.WriteInteger(8);
  stream.Rewind();
  // Four 16-byte slots follow the first count: two records of 32 bytes fit, three do not.
  EXPECT_EQ(stream.ReadCount(32), 2);
  EXPECT_EQ(ErrorText([&] { stream.ReadCount(32); }),
            "Неверный формат данных по смещению 16: число записей 3 не помещается в оставшиеся "
            "данные.");
  EXPECT_THROW(stream.ReadCount(0), Error);  // negative
}

// What one stored tagged slot reads as, in each kind of field.
TEST(SpecStream, NumericTagsConvertByValueIntoEveryKind) {
  const auto real = [](double value) { return std::bit_cast<std::uint64_t>(value); };
  struct Case {
    const char* name;
    std::uint16_t tag;
    std::uint64_t payload;
    std::int32_t integer;
    double number;
    bool boolean;
    std::int64_t ticks;
  } cases[] = {
      {"empty tag ignores its payload", 0, 0x1234, 0, 0.0, false, 0},
      {"int16", 2, 0xFFFE, -2, -2.0, true, -20000},
      {"int32", 3, 7, 7, 7.0, true, 70000},
      {"int32 most negative", 3, 0x80000000, std::numeric_limits<std::int32_t>::min(),
       -2147483648.0, true, -21474836480000},
      {"float32 tie rounds to even", 4, std::bit_cast<std::uint32_t>(2.5f), 2, 2.5, true, 25000},
      {"real", 5, real(3.5), 4, 3.5, true, 35000},
      {"real negative tie", 5, real(-2.5), -2, -2.5, true, -25000},
      {"real small", 5, real(0.25), 0, 0.25, true, 2500},
      {"real tick tie to even down", 5, real(0.03125), 0, 0.03125, true, 312},
      {"real tick tie to even up", 5, real(0.09375), 0, 0.09375, true, 938},
      {"real negative zero", 5, real(-0.0), 0, -0.0, false, 0},
      {"currency", 6, 15000, 2, 1.5, true, 15000},
      {"currency tie to even", 6, 25000, 2, 2.5, true, 25000},
      {"currency negative tie", 6, static_cast<std::uint64_t>(-5000), 0, -0.5, true, -5000},
      {"currency one tick", 6, 1, 0, 0.0001, true, 1},
      {"date", 7, real(1.25), 1, 1.25, true, 12500},
      {"boolean true is -1", 11, 0xFFFF, -1, -1.0, true, -10000},
      {"boolean any other non-zero", 11, 1, 1, 1.0, true, 10000},
      {"int8", 16, 0xFB, -5, -5.0, true, -50000},
      {"uint8", 17, 0xC8, 200, 200.0, true, 2000000},
      {"uint16", 18, 0xFFFF, 65535, 65535.0, true, 655350000},
      {"uint32", 19, 70000, 70000, 70000.0, true, 700000000},
  };
  for (const auto& c : cases) {
    RecordingUi ui;
    TSpecStream stream(ui, Slot(c.tag, c.payload));
    EXPECT_EQ(stream.ReadInteger(), c.integer) << c.name;
    stream.Rewind();
    EXPECT_EQ(stream.ReadReal(), c.number) << c.name;
    stream.Rewind();
    EXPECT_EQ(stream.ReadDate(), c.number) << c.name;
    stream.Rewind();
    EXPECT_EQ(stream.ReadSingle(), static_cast<float>(c.number)) << c.name;
    stream.Rewind();
    EXPECT_EQ(stream.ReadBoolean(), c.boolean) << c.name;
    stream.Rewind();
    EXPECT_EQ(stream.ReadCurrency().Ticks(), c.ticks) << c.name;
    EXPECT_EQ(stream.Position(), 16u) << c.name;
  }
}

TEST(SpecStream, NumberInsideTheFieldRangeIsRead) {
  const auto real = [](double value) { return std::bit_cast<std::uint64_t>(value); };
  struct Case {
    const char* name;
    std::uint64_t payload;
    std::int64_t expected;
    std::function<std::int64_t(TSpecStream&)> read;
  } cases[] = {
      {"largest integer", real(2147483647.4), 2147483647, [](auto& s) { return s.ReadInteger(); }},
      {"smallest integer by tie", real(-2147483648.5), -2147483648,
       [](auto& s) { return s.ReadInteger(); }},
      {"byte 255", real(255.4), 255, [](auto& s) { return s.ReadByte(); }},
      {"byte 0", real(-0.5), 0, [](auto& s) { return s.ReadByte(); }},
  };
  for (const auto& c : cases) {
    RecordingUi ui;
    TSpecStream stream(ui, Slot(5, c.payload));
    EXPECT_EQ(c.read(stream), c.expected) << c.name;
  }
}

TEST(SpecStream, NumberBeyondTheFieldRaises) {
  const auto real = [](double value) { return std::bit_cast<std::uint64_t>(value); };
  const auto integer = [](TSpecStream& s) { s.ReadInteger(); };
  const auto byte = [](TSpecStream& s) { s.ReadByte(); };
  const auto currency = [](TSpecStream& s) { s.ReadCurrency(); };
  struct Case {
    const char* name;
    std::uint16_t tag;
    std::uint64_t payload;
    std::function<void(TSpecStream&)> read;
    const char* kind;
  } cases[] = {
      {"integer from huge real", 5, real(1e300), integer, "целое число"},
      {"integer from real just past the top", 5, real(2147483647.5), integer, "целое число"},
      {"integer from real just past the bottom", 5, real(-2147483649.0), integer, "целое число"},
      {"integer from 2^63", 5, real(9223372036854775808.0), integer, "целое число"},
      {"integer from infinity", 5, real(INFINITY), integer, "целое число"},
      {"integer from NaN", 7, real(NAN), integer, "целое число"},
      {"integer from uint32", 19, 4000000000, integer, "целое число"},
      {"integer from huge currency", 6, 0x7FFFFFFFFFFFFFFF, integer, "целое число"},
      {"byte from 256", 3, 256, byte, "байт"},
      {"byte from -1", 2, 0xFFFF, byte, "байт"},
      {"byte from true", 11, 0xFFFF, byte, "байт"},
      {"currency from huge real", 5, real(1e300), currency, "денежная сумма"},
      {"currency from NaN", 5, real(NAN), currency, "денежная сумма"},
  };
  for (const auto& c : cases) {
    RecordingUi ui;
    TSpecStream stream(ui, Slot(3, 1) + Slot(c.tag, c.payload));
    stream.Seek(16);
    EXPECT_EQ(ErrorText([&] { c.read(stream); }),
              std::string("Неверный формат данных по смещению 16: значение не помещается в поле "
                          "типа «") +
                  c.kind + "».")
        << c.name;
  }
}

TEST(SpecStream, UnknownTagRaisesNamingTagAndOffset) {
  const std::function<void(TSpecStream&)> readers[] = {
      [](auto& s) { s.ReadInteger(); },  [](auto& s) { s.ReadByte(); },
      [](auto& s) { s.ReadBoolean(); },  [](auto& s) { s.ReadReal(); },
      [](auto& s) { s.ReadSingle(); },   [](auto& s) { s.ReadDate(); },
      [](auto& s) { s.ReadCurrency(); },
  };
  for (const std::uint16_t tag : {1, 8, 9, 12, 20, 256, 0xFFFF}) {
    for (const auto& read : readers) {
      RecordingUi ui;
      TSpecStream stream(ui, Bytes({1, 0, 0, 0, 'a'}) + Slot(tag, 1));
      stream.ReadString();
      EXPECT_EQ(ErrorText([&] { read(stream); }),
                "Неверный формат данных по смещению 5: неизвестный тип значения " +
                    std::to_string(tag) + ".")
          << "tag " << tag;
    }
  }
}

TEST(SpecStreamBytes, WriteOverwritesAtThePositionAndGrowsPastTheEnd) {
  RecordingUi ui;
  TSpecStream stream(ui);
  stream.Write("abcdef");
  stream.Seek(2);
  stream.Write("XY");
  EXPECT_EQ(stream.Content(), "abXYef");
  EXPECT_EQ(stream.Position(), 4u);
  stream.Seek(5);
  stream.Write("123");
  EXPECT_EQ(stream.Content(), "abXYe123");
}

TEST(SpecStreamBytes, WritingPastTheEndFillsTheGapWithZeroes) {
  RecordingUi ui;
  TSpecStream stream(ui);
  stream.Seek(3);
  stream.Write("ab");
  EXPECT_EQ(stream.Content(), Bytes({0, 0, 0, 'a', 'b'}));
}

TEST(SpecStreamBytes, ReadStopsAtTheEnd) {
  RecordingUi ui;
  TSpecStream stream(ui, "abc");
  stream.Seek(1);
  char buffer[10] = {};
  EXPECT_EQ(stream.Read(buffer), 2u);
  EXPECT_EQ(std::string_view(buffer, 2), "bc");
  EXPECT_EQ(stream.Position(), 3u);
  stream.Seek(10);
  EXPECT_EQ(stream.Read(buffer), 0u);
  EXPECT_EQ(stream.Position(), 10u);
}

TEST(SpecStreamBytes, CopyFromMovesBytesAndBothPositions) {
  RecordingUi ui;
  TSpecStream source(ui, "0123456789");
  source.Seek(2);
  TSpecStream target(ui, "ab");
  target.Seek(2);
  target.CopyFrom(source, 5);
  EXPECT_EQ(target.Content(), "ab23456");
  EXPECT_EQ(target.Position(), 7u);
  EXPECT_EQ(source.Position(), 7u);
}

TEST(SpecStreamBytes, CopyFromItselfAppendsItsOwnBytes) {
  RecordingUi ui;
  TSpecStream stream(ui, std::string(100, 'z') + "tail");
  stream.Seek(100);
  stream.CopyFrom(stream, 4);
  EXPECT_EQ(stream.Content(), std::string(100, 'z') + "tailtail");
}

TEST(SpecStreamBytes, CopyFromShortSourceRaisesAndCopiesNothing) {
  RecordingUi ui;
  TSpecStream source(ui, "0123");
  source.Seek(1);
  TSpecStream target(ui, "ab");
  EXPECT_EQ(ErrorText([&] { target.CopyFrom(source, 4); }),
            "Ошибка копирования потока: заказано 4 байт, доступно 3.");
  EXPECT_EQ(target.Content(), "ab");
  EXPECT_EQ(target.Position(), 0u);
  EXPECT_EQ(source.Position(), 1u);
}

TEST(SpecStreamBytes, ClearEmptiesAndRewinds) {
  RecordingUi ui;
  TSpecStream stream(ui, "abc");
  stream.Seek(2);
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0u);
  EXPECT_EQ(stream.Position(), 0u);
  stream.WriteInteger(1);
  EXPECT_EQ(stream.Size(), 16u);
}

// A fresh folder per test, removed afterwards.
class SpecStreamFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "rxf-stream-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path folder_;
};

TEST_F(SpecStreamFile, SavedDocumentLoadsBackFromItsStart) {
  RecordingUi ui;
  const Record original = SampleRecord();
  TSpecStream written(ui);
  original.Save(written);
  written.SaveToFile(folder_ / "order.rfo");

  TSpecStream loaded = TSpecStream::LoadFromFile(ui, folder_ / "order.rfo");
  EXPECT_EQ(loaded.Position(), 0u);
  EXPECT_EQ(loaded.Content(), written.Content());
  Record copy;
  copy.Load(loaded);
  EXPECT_EQ(copy, original);
}

TEST_F(SpecStreamFile, LoadingMissingFileRaisesNamingIt) {
  RecordingUi ui;
  const std::filesystem::path path = folder_ / "missing.rfo";
  EXPECT_EQ(ErrorText([&] { TSpecStream::LoadFromFile(ui, path); }),
            "Не удалось прочитать файл «" + path.string() + "»: No such file or directory");
}

}  // namespace
}  // namespace rxf
