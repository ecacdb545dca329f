#include "paradox_writer.h"

extern "C" {
#include <paradox.h>
}

#include <algorithm>
#include <stdexcept>

#include "foundation/cp1251.h"

namespace rxf::test {

namespace {

constexpr long kSerialDayBeforeYearOne = 1721425;

void PutCell(pxdoc_t* doc, char* data, const ParadoxField& field, const std::string& text) {
  switch (field.type) {
    case pxfAlpha: {
      std::string cut = text.substr(0, static_cast<std::size_t>(field.length));
      PX_put_data_alpha(doc, data, field.length, cut.data());
      break;
    }
    case pxfShort:
      PX_put_data_short(doc, data, 2, static_cast<short>(std::stoi(text)));
      break;
    case pxfLong:
    case pxfAutoInc:
      PX_put_data_long(doc, data, 4, std::stoi(text));
      break;
    case pxfCurrency:
    case pxfNumber:
      PX_put_data_double(doc, data, 8, std::stod(text));
      break;
    case pxfLogical:
      PX_put_data_byte(doc, data, 1, static_cast<char>(std::stoi(text)));
      break;
    case pxfBCD: {
      std::string decimal = text.find('.') == std::string::npos ? text + "." : text;
      PX_put_data_bcd(doc, data, field.decimals, decimal.data());
      break;
    }
    case pxfDate: {
      const long serial = PX_GregorianToSdn(
          std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)), std::stoi(text.substr(8, 2)));
      PX_put_data_long(doc, data, 4, static_cast<int>(serial - kSerialDayBeforeYearOne));
      break;
    }
    default:
      throw std::invalid_argument("no writer for this field kind");
  }
}

ParadoxField FieldFor(const TableSchema& schema, const std::string& utf8Name) {
  const std::string name = Utf8ToCp1251(utf8Name);
  const auto def = std::find_if(schema.Columns.begin(), schema.Columns.end(),
                                [&name](const ColumnDef& d) { return AnsiSameText(d.Name, name); });
  if (def == schema.Columns.end())
    return {name, pxfAlpha, 100};
  switch (def->Type) {
    case ColumnType::String:
      return {name, pxfAlpha, def->Size};
    case ColumnType::SmallInt:
      return {name, pxfShort, 2};
    case ColumnType::Integer:
      return {name, pxfLong, 4};
    case ColumnType::AutoInc:
      return {name, pxfAutoInc, 4};
    case ColumnType::Bcd:
      return {name, pxfBCD, 17, def->Size};
    case ColumnType::Currency:
      return {name, pxfCurrency, 8};
    case ColumnType::Date:
      return {name, pxfDate, 4};
    case ColumnType::Boolean:
      return {name, pxfLogical, 1};
  }
  throw std::invalid_argument("unknown column type");
}

}  // namespace

void WriteParadoxTable(const std::filesystem::path& path, const std::vector<ParadoxField>& fields,
                       const std::vector<std::vector<std::string>>& rows, int codePage) {
  pxdoc_t* doc = PX_new();
  // pxlib owns the field array and frees it with the document.
  auto* defs = static_cast<pxfield_t*>(
      doc->malloc(doc, fields.size() * sizeof(pxfield_t), "fields of a test table"));
  for (std::size_t index = 0; index < fields.size(); ++index)
    defs[index] = {PX_strdup(doc, fields[index].name.c_str()),
                   static_cast<char>(fields[index].type), fields[index].length,
                   fields[index].decimals};
  if (PX_create_file(doc, defs, static_cast<int>(fields.size()), path.c_str(),
                     pxfFileTypNonIndexDB) < 0)
    throw std::runtime_error("cannot create a Paradox table");
  PX_set_value(doc, "codepage", static_cast<float>(codePage));
  std::vector<char> record(static_cast<std::size_t>(PX_get_recordsize(doc)));
  for (const auto& row : rows) {
    std::fill(record.begin(), record.end(), '\0');  // all zero: every field without value
    int offset = 0;
    for (std::size_t index = 0; index < fields.size(); ++index) {
      if (!row[index].empty())
        PutCell(doc, record.data() + offset, fields[index], row[index]);
      offset += fields[index].length;
    }
    PX_put_record(doc, record.data());
  }
  PX_close(doc);
  PX_delete(doc);
}

void WriteParadoxTable(const std::filesystem::path& path, const TableSchema& schema,
                       const TextTable& table) {
  std::vector<ParadoxField> fields;
  for (const std::string& column : table.columns)
    fields.push_back(FieldFor(schema, column));
  std::vector<std::vector<std::string>> rows;
  for (const auto& row : table.rows) {
    std::vector<std::string> cells;
    for (std::size_t index = 0; index < row.size(); ++index)
      cells.push_back(fields[index].type == pxfAlpha ? Utf8ToCp1251(row[index]) : row[index]);
    rows.push_back(std::move(cells));
  }
  WriteParadoxTable(path, fields, rows);
}

}  // namespace rxf::test
