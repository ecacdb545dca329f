// The per-user settings store: the tree of keys and values that the registry holds for the
// system on Windows, kept in one JSON file of the user's config folder. The file is readable and
// may be edited by hand while no copy of the system runs: each key is an object named by its full
// path, each value an object with one member "text", "integer" or "binary" (hexadecimal bytes).
//
// The file is private to the user (0600 in a 0700 folder) and is always replaced whole, so a
// reader never sees half of it. Two running copies that update it at once each apply their
// change to what the other wrote: the last writer of a value wins, no change of another value is
// lost.
#pragma once

#include <filesystem>
#include <functional>

#include "foundation/store_key.h"

namespace rxf {

class UserStore {
 public:
  // The store of the current user: UserConfigFolder()/user-store.json.
  static std::filesystem::path DefaultFile();

  explicit UserStore(std::filesystem::path file) : file_(std::move(file)) {}

  const std::filesystem::path& File() const { return file_; }

  // The whole store as it is on disk now; a missing or empty file is an empty store. Error when
  // the file cannot be read or is damaged (the message names the file).
  StoreKey Read() const;

  // Applies change to the store as it is on disk now and writes the result back, both while
  // holding the store's lock. Nothing is written when change leaves the store as it was. Errors
  // of change pass through and leave the file untouched.
  void Update(const std::function<void(StoreKey& root)>& change);

 private:
  void MakePrivateFolder() const;

  std::filesystem::path file_;
};

}  // namespace rxf
