// Runs the ramulex program as a caller would and collects its exit status and both streams.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace rxf::test {

struct CommandRun {
  int status;
  std::string out;
  std::string err;
};

inline CommandRun Ramulex(const std::string& arguments) {
  const std::filesystem::path errFile =
      std::filesystem::temp_directory_path() / ("rxf-command-err-" + std::to_string(getpid()));
  const std::string command = std::string(RXF_RAMULEX) + " " + arguments + " 2>" + errFile.string();
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    out.append(buffer, n);
  const int status = WEXITSTATUS(pclose(pipe));
  std::ifstream errStream(errFile);
  std::string err((std::istreambuf_iterator<char>(errStream)), std::istreambuf_iterator<char>());
  std::filesystem::remove(errFile);
  return {status, out, err};
}

}  // namespace rxf::test
