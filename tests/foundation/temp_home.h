// A test's own home: a fresh folder with the per-user config and data folders inside it, pointed
// at through XDG_CONFIG_HOME and XDG_DATA_HOME for the test's duration, so that no test reads or
// writes the real home folder. It is set up in the constructor, before the members of a derived
// fixture (a store, say) ask where the per-user folders are.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>

namespace rxf {

class TempHome : public ::testing::Test {
 protected:
  TempHome()
      : home_(MakeHome()),
        configHome_("XDG_CONFIG_HOME", (home_ / "config").string()),
        dataHome_("XDG_DATA_HOME", (home_ / "data").string()) {}
  ~TempHome() override { std::filesystem::remove_all(home_); }

  const std::filesystem::path& Home() const { return home_; }

  static void Put(const std::filesystem::path& path, const std::string& content) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
  }

  static std::string Get(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  // Sets a variable and puts back what it was.
  class EnvScope {
   public:
    EnvScope(const char* name, const std::string& value) : name_(name) {
      if (const char* old = ::getenv(name))
        old_ = old;
      ::setenv(name, value.c_str(), 1);
    }
    ~EnvScope() {
      if (old_)
        ::setenv(name_, old_->c_str(), 1);
      else
        ::unsetenv(name_);
    }

   private:
    const char* name_;
    std::optional<std::string> old_;
  };

  static std::filesystem::path MakeHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "rxf-home-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw std::runtime_error("cannot make a temporary home folder");
    return pattern;
  }

  std::filesystem::path home_;
  EnvScope configHome_;
  EnvScope dataHome_;
};

}  // namespace rxf
