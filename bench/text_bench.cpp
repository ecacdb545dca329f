// Text conversion cost: every catalogue row read from CSV passes through it.
#include <benchmark/benchmark.h>

#include <string>

#include "foundation/cp1251.h"

namespace {

std::string CatalogueLikeText(std::size_t rows) {
  std::string text;
  for (std::size_t i = 0; i < rows; ++i)
    text += "ЗАП-" + std::to_string(i) + ",Ножницы поворотные 1200 мм,шт,12.5400,1\n";
  return text;
}

void BM_Utf8ToCp1251(benchmark::State& state) {
  const std::string text = CatalogueLikeText(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(rxf::Utf8ToCp1251(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Utf8ToCp1251)->Arg(50000);

void BM_AnsiUpperCase(benchmark::State& state) {
  const std::string text = rxf::Utf8ToCp1251(CatalogueLikeText(50000));
  for (auto _ : state)
    benchmark::DoNotOptimize(rxf::AnsiUpperCase(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_AnsiUpperCase);

}  // namespace
