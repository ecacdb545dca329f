// generate_catalogue OUT_DIR [SCALE]: writes the synthetic benchmark catalogue as a CSV folder.
#include <charconv>
#include <cstring>
#include <exception>
#include <iostream>

#include "catalogue_generator.h"

namespace {

bool ParseScale(const char* text, int& scale) {
  const char* end = text + std::strlen(text);
  const auto [ptr, error] = std::from_chars(text, end, scale);
  return error == std::errc() && ptr == end && scale >= 1;
}

}  // namespace

int main(int argc, char** argv) {
  int scale = 1;
  if (argc < 2 || argc > 3 || (argc == 3 && !ParseScale(argv[2], scale))) {
    std::cerr << "Usage: generate_catalogue OUT_DIR [SCALE]   (SCALE: a whole number from 1)\n";
    return 2;
  }
  try {
    for (const rxf::TableCount& count : rxf::GenerateCatalogue(argv[1], scale))
      std::cout << count.table << ": " << count.rows << " rows\n";
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  return 0;
}
