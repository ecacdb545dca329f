// Moving a whole document between its file and memory, shared by orders and selections. A document
// is serialised into a stream and the stream replaces the file in one step, so a failed save
// leaves the previous file as it was. A read that stops at a signature or version check, or fails
// part-way, leaves a document that holds only part of its file: the file is remembered so that
// this part can never be written back over it.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

#include "foundation/spec_stream.h"
#include "foundation/ui_services.h"

namespace rxf {

// What a caller can observe of a document load.
enum class TLoadOutcome {
  Complete,   // read whole
  Converted,  // read whole after the user agreed to convert an older file
  Stopped,    // ended at the signature or a version check; the user was told why
  Failed,     // an error ended it; the error box was shown
};

// Whether the document holds the whole file: the system's "load returned true" is also true for
// Stopped, which callers that take data from a document must not accept.
inline bool ReadWhole(TLoadOutcome outcome) {
  return outcome == TLoadOutcome::Complete || outcome == TLoadOutcome::Converted;
}

// Serialises with save, then replaces the file. Any failure shows Format(errorBox, reason) and
// gives false; the previous file stays as it was.
bool SaveDocumentFile(const std::filesystem::path& path, UiServices& ui, std::string_view errorBox,
                      const std::function<void(TSpecStream&)>& save);

// Parses stream with load; an Error shows Format(errorBox, reason) and gives Failed.
TLoadOutcome LoadDocumentStream(TSpecStream& stream, UiServices& ui, std::string_view errorBox,
                                const std::function<TLoadOutcome(TSpecStream&)>& load);

// Reads the whole file and parses it as LoadDocumentStream does. A file that ends inside its
// record fails too: the stream would read the missing tagged slots as zeros, so the content is
// followed by a guard that no slot can be read from, and a parse that reaches it fails. A file
// that cannot be read raises Error.
TLoadOutcome LoadDocumentFile(const std::filesystem::path& path, UiServices& ui,
                              std::string_view errorBox,
                              const std::function<TLoadOutcome(TSpecStream&)>& load);

// The file a partly read document came from.
class TPartialSource {
 public:
  // LoadDocumentFile, remembering the file when the document holds only part of it. An empty
  // name gives Failed without a message.
  TLoadOutcome Load(const std::filesystem::path& path, UiServices& ui, std::string_view errorBox,
                    const std::function<TLoadOutcome(TSpecStream&)>& load);
  // SaveDocumentFile, refused for the remembered file; a save forgets it. An empty name gives
  // false without a message.
  bool Save(const std::filesystem::path& path, UiServices& ui, std::string_view errorBox,
            const std::function<void(TSpecStream&)>& save);
  bool IsPartial() const { return !path_.empty(); }

 private:
  // Remembers path when outcome leaves the document with part of the file, else forgets.
  void Record(const std::filesystem::path& path, TLoadOutcome outcome);
  // Raises Error when target names the remembered file (any spelling of it, links included).
  void CheckTarget(const std::filesystem::path& target) const;

  std::filesystem::path path_;
};

}  // namespace rxf
