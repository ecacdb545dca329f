// Document transfer cost: every order opened, saved or snapshotted passes through the stream.
// One document: 1000 records of 5 texts, 10 integers, 10 reals, 2 booleans and 1 currency.
#include <benchmark/benchmark.h>

#include <string>

#include "foundation/cp1251.h"
#include "foundation/recording_ui.h"
#include "foundation/spec_stream.h"

namespace {

using rxf::operator""_w;

constexpr int kRecords = 1000;

void WriteDocument(rxf::TSpecStream& stream) {
  const std::string texts[] = {std::string("ЗАП-1234"_w),
                               std::string("Ножницы поворотные 1200 мм"_w), std::string("шт"_w),
                               std::string("белый"_w), ""};
  for (int record = 0; record < kRecords; ++record) {
    for (const auto& text : texts)
      stream.WriteString(text);
    for (int i = 0; i < 10; ++i)
      stream.WriteInteger(record * 10 + i);
    for (int i = 0; i < 10; ++i)
      stream.WriteReal(record + i * 0.125);
    stream.WriteBoolean(record % 2 == 0);
    stream.WriteBoolean(false);
    stream.WriteCurrency(rxf::Money::FromTicks(record * 12345));
  }
}

void ReadDocument(rxf::TSpecStream& stream) {
  for (int record = 0; record < kRecords; ++record) {
    for (int i = 0; i < 5; ++i)
      benchmark::DoNotOptimize(stream.ReadString());
    for (int i = 0; i < 10; ++i)
      benchmark::DoNotOptimize(stream.ReadInteger());
    for (int i = 0; i < 10; ++i)
      benchmark::DoNotOptimize(stream.ReadReal());
    benchmark::DoNotOptimize(stream.ReadBoolean());
    benchmark::DoNotOptimize(stream.ReadBoolean());
    benchmark::DoNotOptimize(stream.ReadCurrency());
  }
}

void BM_WriteDocument(benchmark::State& state) {
  rxf::RecordingUi ui;
  std::size_t size = 0;
  for (auto _ : state) {
    rxf::TSpecStream stream(ui);
    WriteDocument(stream);
    size = stream.Size();
    benchmark::DoNotOptimize(stream.Content().data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}
BENCHMARK(BM_WriteDocument);

void BM_ReadDocument(benchmark::State& state) {
  rxf::RecordingUi ui;
  rxf::TSpecStream stream(ui);
  WriteDocument(stream);
  for (auto _ : state) {
    stream.Rewind();
    ReadDocument(stream);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.Size()));
}
BENCHMARK(BM_ReadDocument);

}  // namespace
