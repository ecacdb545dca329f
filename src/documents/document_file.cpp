#include "documents/document_file.h"

#include <system_error>
#include <utility>

#include "foundation/atomic_file.h"
#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kOutOfMemory = "Недостаточно памяти"_w;

// The same file when both exist, else the same absolute, normalised name.
bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  if (fs::equivalent(a, b, error))
    return true;
  return fs::absolute(a).lexically_normal() == fs::absolute(b).lexically_normal();
}

}  // namespace

bool SaveDocumentFile(const fs::path& path, UiServices& ui, std::string_view errorBox,
                      const std::function<void(TSpecStream&)>& save) {
  try {
    TSpecStream stream(ui);
    save(stream);
    stream.SaveToFile(path);
    return true;
  } catch (const Error& e) {
    ui.ShowError(Format(errorBox, std::string(e.what())));
  } catch (const std::bad_alloc&) {
    ui.ShowError(Format(errorBox, kOutOfMemory));
  }
  return false;
}

TLoadOutcome LoadDocumentStream(TSpecStream& stream, UiServices& ui, std::string_view errorBox,
                                const std::function<TLoadOutcome(TSpecStream&)>& load) {
  try {
    return load(stream);
  } catch (const Error& e) {
    ui.ShowError(Format(errorBox, std::string(e.what())));
  } catch (const std::bad_alloc&) {
    ui.ShowError(Format(errorBox, kOutOfMemory));
  }
  return TLoadOutcome::Failed;
}

TLoadOutcome LoadDocumentFile(const fs::path& path, UiServices& ui, std::string_view errorBox,
                              const std::function<TLoadOutcome(TSpecStream&)>& load) {
  // Neither a text count (it would be negative) nor a tag (it is unknown) can be read from these.
  constexpr std::size_t kGuardSize = 16;
  std::string content = ReadWholeFile(path);
  const std::size_t size = content.size();
  content.append(kGuardSize, '\xFF');
  TSpecStream stream(ui, std::move(content));
  return LoadDocumentStream(stream, ui, errorBox, [&](TSpecStream& s) {
    // Whatever the guard made a read find, the cause is the end of the file.
    const auto ended = [&] {
      return Error(Format("Неожиданный конец файла на %d-м байте"_w, size));
    };
    TLoadOutcome outcome = TLoadOutcome::Failed;
    try {
      outcome = load(s);
    } catch (const Error&) {
      if (s.Position() > size)
        throw ended();
      throw;
    }
    if (s.Position() > size)
      throw ended();
    return outcome;
  });
}

void TPartialSource::Record(const fs::path& path, TLoadOutcome outcome) {
  path_ = ReadWhole(outcome) ? fs::path() : fs::absolute(path);
}

void TPartialSource::CheckTarget(const fs::path& target) const {
  if (IsPartial() && SameFile(path_, target))
    throw Error(
        Format("Документ прочитан из файла %s не полностью и не может быть записан в него.\r\n"
               "Сохраните его в другой файл."_w,
               PathForMessage(path_)));
}

TLoadOutcome TPartialSource::Load(const fs::path& path, UiServices& ui, std::string_view errorBox,
                                  const std::function<TLoadOutcome(TSpecStream&)>& load) {
  if (path.empty())
    return TLoadOutcome::Failed;
  const TLoadOutcome outcome = LoadDocumentFile(path, ui, errorBox, load);
  Record(path, outcome);
  return outcome;
}

bool TPartialSource::Save(const fs::path& path, UiServices& ui, std::string_view errorBox,
                          const std::function<void(TSpecStream&)>& save) {
  if (path.empty())
    return false;
  const bool saved = SaveDocumentFile(path, ui, errorBox, [&](TSpecStream& stream) {
    CheckTarget(path);
    save(stream);
  });
  if (saved)
    path_.clear();
  return saved;
}

}  // namespace rxf
