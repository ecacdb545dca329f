// A large synthetic fittings catalogue for benchmarks, written as a CSV catalogue folder (one
// UTF-8 file per table, first line the column names, "." as the decimal point).
//
// The catalogue is made of blocks; scale N writes blocks 0 .. N-1. A block holds 5,000 kits of
// 20 rows each (100,000 FrnSet rows), 10,000 items of 5 articles each plus 100 counter-plate items
// (51,600 FrnArt rows), 22,100 catalogue codes and the counter-plates, covers, accessories,
// composites and property rules that belong to them. Rows of a block refer only to its own
// block and to the shared tables (systems, colours, parameter lists, currencies), and every
// block is drawn from a generator seeded by the seed and the entity's number, so block 0 and
// the kit K0000000 are the same at every scale: a larger scale adds kits and items of other
// blocks without changing the ones a benchmark position uses.
//
// Every kit calculates for a rectangular sash of 40..160 cm by 40..240 cm with any rebate,
// backset, counter-plate system, colour and mullion type of the shared tables: each range
// column of FrnArt holds a value, the bands of an item cover 0..9999 without overlaps, and rows
// cut to length have a rebate-size guard that keeps them above their minimum length.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace rxf {

inline constexpr std::uint64_t kDefaultCatalogueSeed = 20240611;

struct TableCount {
  std::string table;
  std::int64_t rows = 0;
};

// Writes the catalogue into folder (created when missing; files of the same names are
// replaced) and returns the number of rows written per table, in writing order. Raises
// std::invalid_argument for a scale below 1 and std::runtime_error naming the file when a file
// cannot be written.
std::vector<TableCount> GenerateCatalogue(const std::filesystem::path& folder, int scale,
                                          std::uint64_t seed = kDefaultCatalogueSeed);

}  // namespace rxf
