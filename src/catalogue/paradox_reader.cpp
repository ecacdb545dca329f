#include "catalogue/paradox_reader.h"

extern "C" {
#include <paradox.h>
}

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/table_files.h"
#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace fs = std::filesystem;

namespace {

// Paradox counts dates in days from 1 January of year 1; pxlib converts serial day numbers.
constexpr long kSerialDayBeforeYearOne = 1721425;
constexpr int kKeptCodePage = 1251;

bool IsReadKind(int type) {
  switch (type) {
    case pxfAlpha:
    case pxfDate:
    case pxfShort:
    case pxfLong:
    case pxfAutoInc:
    case pxfCurrency:
    case pxfNumber:
    case pxfLogical:
    case pxfBCD:
      return true;
    default:
      return false;
  }
}

bool IsSchemaColumn(const TableSchema& schema, std::string_view name) {
  return std::any_of(schema.Columns.begin(), schema.Columns.end(),
                     [name](const ColumnDef& def) { return AnsiSameText(def.Name, name); });
}

// pxlib reports through this callback; the last message becomes the reason of our Error.
void KeepMessage(pxdoc_t*, int, const char* message, void* lastMessage) {
  *static_cast<std::string*>(lastMessage) = message ? message : "";
}

struct DeleteDocument {
  void operator()(pxdoc_t* doc) const { PX_delete(doc); }
};

// A text or bcd field holds no value when its first byte is zero, any other field when all its
// bytes are. pxlib's own test for a long field reads past its four bytes on 64-bit machines, so
// its readers are asked only about fields that hold a value.
bool HoldsNoValue(const pxfield_t& field, const char* data) {
  if (field.px_ftype == pxfAlpha || field.px_ftype == pxfBCD)
    return data[0] == '\0';
  return std::all_of(data, data + field.px_flen, [](char byte) { return byte == '\0'; });
}

// A field that is read: where it stands in the record.
struct FieldSlot {
  const pxfield_t* field;
  int offset;
};

// One open table file on its way into a builder; knows where it is for the messages.
// Kept out of the class: clang 14 crashes on this literal inside the member function.
constexpr std::string_view kTableMessage = "Таблица %s: %s"_w;

class ParadoxTableFile {
 public:
  explicit ParadoxTableFile(const fs::path& file)
      : fileName_(PathForMessage(file.filename())),
        owner_(PX_new3(KeepMessage, nullptr, nullptr, nullptr, &lastMessage_)),
        doc_(owner_.get()) {
    if (!doc_ || PX_open_file(doc_, file.c_str()) < 0)
      Fail("не открывается как таблица Paradox"_w);
    const int codePage = doc_->px_head->px_doscodepage;
    if (codePage != kKeptCodePage && codePage != 0 && PX_set_targetencoding(doc_, "CP1251") < 0)
      Fail(Format(std::string("кодовая страница %d не поддерживается"_w), codePage));
  }
  ParadoxTableFile(const ParadoxTableFile&) = delete;
  ParadoxTableFile& operator=(const ParadoxTableFile&) = delete;

  void ReadInto(TableBuilder& builder) {
    ReadFields(builder);
    std::vector<char> record(static_cast<std::size_t>(PX_get_recordsize(doc_)));
    std::vector<SourceCell> cells(slots_.size());
    const int records = PX_get_num_records(doc_);
    for (record_ = 1; record_ <= records; ++record_) {
      if (!PX_get_record(doc_, record_ - 1, record.data()))
        Fail(Format(std::string("запись %d не читается"_w), record_));
      for (std::size_t index = 0; index < slots_.size(); ++index)
        cells[index] = CellOf(index, record.data() + slots_[index].offset);
      try {
        builder.AddRow(cells);
      } catch (const CellError& error) {
        throw LocatedError(error.SourceColumn(), error.what());
      }
    }
  }

 private:
  void ReadFields(TableBuilder& builder) {
    const pxfield_t* fields = PX_get_fields(doc_);
    const int count = PX_get_num_fields(doc_);
    int offset = 0;
    for (int index = 0; index < count; ++index) {
      const pxfield_t& field = fields[index];
      const std::string name = field.px_fname ? field.px_fname : "";
      if (IsReadKind(field.px_ftype)) {
        slots_.push_back({&field, offset});
        names_.push_back(name);
      } else if (IsSchemaColumn(builder.Schema(), name)) {
        Fail(Format(std::string("поле %s типа %d не читается"_w), name, field.px_ftype));
      }
      offset += field.px_flen;
    }
    try {
      builder.SetSourceColumns(names_);
    } catch (const CellError& error) {
      throw LocatedError(error.SourceColumn(), error.what());
    }
    texts_.resize(slots_.size());
  }

  SourceCell CellOf(std::size_t index, char* data) {
    const pxfield_t& field = *slots_[index].field;
    if (HoldsNoValue(field, data))
      return {};
    switch (field.px_ftype) {
      case pxfAlpha:
        return AlphaCell(index, data, field.px_flen);
      case pxfBCD:
        return BcdCell(index, data);
      case pxfDate:
        return DateCell(index, data);
      case pxfShort: {
        short value = 0;
        PX_get_data_short(doc_, data, field.px_flen, &value);
        return std::int64_t{value};
      }
      case pxfCurrency:
      case pxfNumber: {
        double value = 0;
        PX_get_data_double(doc_, data, field.px_flen, &value);
        return value;
      }
      case pxfLogical: {
        char value = 0;
        PX_get_data_byte(doc_, data, field.px_flen, &value);
        return std::int64_t{value != 0};
      }
      default:  // long, autoinc
        return std::int64_t{LongOf(data)};
    }
  }

  long LongOf(char* data) {
    long value = 0;
    PX_get_data_long(doc_, data, 4, &value);
    return value;
  }

  SourceCell AlphaCell(std::size_t index, char* data, int size) {
    char* value = nullptr;
    if (PX_get_data_alpha(doc_, data, size, &value) <= 0 || !value)
      throw LocatedError(static_cast<int>(index), "текст не перекодируется в Windows-1251"_w);
    texts_[index] = value;
    doc_->free(doc_, value);
    return std::string_view(texts_[index]);
  }

  // The decimal as the field stores it; pxlib writes the locale's decimal point, we want ".".
  SourceCell BcdCell(std::size_t index, char* data) {
    char* value = nullptr;
    // The scale comes from the value itself, so a file written with another scale still reads.
    if (PX_get_data_bcd(doc_, reinterpret_cast<unsigned char*>(data), data[0] & 0x3F, &value) <= 0)
      throw LocatedError(static_cast<int>(index), "неверное десятичное значение"_w);
    texts_[index] = value;
    doc_->free(doc_, value);
    std::replace(texts_[index].begin(), texts_[index].end(), ',', '.');
    if (texts_[index].ends_with('.'))
      texts_[index].pop_back();
    return std::string_view(texts_[index]);
  }

  SourceCell DateCell(std::size_t index, char* data) {
    const long days = LongOf(data);
    int year = 0;
    int month = 0;
    int day = 0;
    PX_SdnToGregorian(days + kSerialDayBeforeYearOne, &year, &month, &day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    texts_[index] = text;
    return std::string_view(texts_[index]);
  }

  // pxlib's own words, when it gave any, follow ours.
  [[noreturn]] void Fail(std::string_view reason) const {
    const std::string message = Format(kTableMessage, fileName_, reason);
    throw Error(lastMessage_.empty() ? message
                                     : message + " (" + Utf8ForMessage(lastMessage_) + ")");
  }

  Error LocatedError(int column, std::string_view reason) const {
    const std::string name =
        static_cast<std::size_t>(column) < names_.size() ? names_[column] : std::string();
    return Error(Format(std::string("Таблица %s, запись %d, поле %s: %s"_w), fileName_, record_,
                        name, reason));
  }

  std::string fileName_;
  std::string lastMessage_;  // filled by pxlib; declared before the document, which points to it
  std::unique_ptr<pxdoc_t, DeleteDocument> owner_;
  pxdoc_t* doc_;
  std::vector<FieldSlot> slots_;
  std::vector<std::string> names_;
  std::vector<std::string> texts_;  // the texts of the current record, by read field
  int record_ = 0;
};

}  // namespace

ParadoxCatalogueReader::ParadoxCatalogueReader(fs::path folder) : folder_(std::move(folder)) {
  std::error_code error;
  if (!fs::is_directory(folder_, error))
    throw Error(Format(std::string("Папка каталога не найдена: %s"_w), PathForMessage(folder_)));
}

void ParadoxCatalogueReader::ReadTable(TableBuilder& builder) {
  const auto file = FindTableFile(folder_, std::string(builder.Schema().Name) + ".db");
  if (file)
    ParadoxTableFile(*file).ReadInto(builder);
}

}  // namespace rxf
