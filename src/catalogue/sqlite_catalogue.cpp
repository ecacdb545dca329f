#include "catalogue/sqlite_catalogue.h"

#include <fstream>
#include <optional>
#include <vector>

#include "foundation/atomic_file.h"
#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMetaTable = "RamulexCatalogue";
constexpr std::string_view kVersionName = "FormatVersion";
constexpr std::string_view kSqliteMagic{"SQLite format 3\0", 16};

bool IsAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
  return true;
}

bool StartsLikeSqlite(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string head(kSqliteMagic.size(), '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  return in && head == kSqliteMagic;
}

// The table's name as the file spells it, letter case ignored; nullopt when it has none.
std::optional<std::string> StoredTableName(SqliteDb& db, std::string_view table) {
  SqliteStatement find = db.Prepare(
      "SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE");
  find.BindText(1, table);
  if (!find.Step())
    return std::nullopt;
  return std::string(find.Text(0));
}

std::optional<std::string> FormatVersion(SqliteDb& db) {
  const auto meta = StoredTableName(db, kMetaTable);
  if (!meta)
    return std::nullopt;
  SqliteStatement read =
      db.Prepare("SELECT Value FROM " + QuoteSqlName(*meta) + " WHERE Name = ?1");
  read.BindText(1, kVersionName);
  if (!read.Step())
    return std::nullopt;
  return std::string(read.Text(0));
}

std::string_view SqlType(ColumnType type) {
  if (IsWholeNumberType(type))
    return "INTEGER";
  if (type == ColumnType::Bcd || type == ColumnType::Date)
    return "REAL";
  return "TEXT";
}

// One SQL table on its way into a builder; knows where it is for the messages.
class SqlTableRows {
 public:
  SqlTableRows(std::string fileName, std::string tableName, SqliteStatement select)
      : fileName_(std::move(fileName)),
        tableName_(std::move(tableName)),
        select_(std::move(select)) {}

  void ReadInto(TableBuilder& builder) {
    ReadNames(builder);
    std::vector<SourceCell> cells(names_.size());
    while (select_.Step()) {
      ++row_;
      for (int column = 0; column < static_cast<int>(names_.size()); ++column)
        cells[column] = CellOf(column);
      try {
        builder.AddRow(cells);
      } catch (const CellError& error) {
        throw LocatedError(error.SourceColumn(), error.what());
      }
    }
  }

 private:
  void ReadNames(TableBuilder& builder) {
    for (int column = 0; column < select_.ColumnCount(); ++column)
      names_.push_back(Recoded(select_.ColumnName(column), column));
    try {
      builder.SetSourceColumns(names_);
    } catch (const CellError& error) {
      throw LocatedError(error.SourceColumn(), error.what());
    }
    recoded_.resize(names_.size());
  }

  SourceCell CellOf(int column) {
    switch (select_.Kind(column)) {
      case SqlValueKind::Null:
        return std::monostate{};
      case SqlValueKind::Integer:
        return select_.Integer(column);
      case SqlValueKind::Real:
        return select_.Real(column);
      case SqlValueKind::Text: {
        const std::string_view text = select_.Text(column);
        if (IsAscii(text))
          return text;
        recoded_[column] = Recoded(text, column);
        return std::string_view(recoded_[column]);
      }
      case SqlValueKind::Blob:
        break;
    }
    throw LocatedError(column, "двоичное значение вместо числа или текста"_w);
  }

  std::string Recoded(std::string_view utf8, int column) const {
    try {
      return Utf8ToCp1251(utf8);
    } catch (const Error& error) {
      throw LocatedError(column, error.what());
    }
  }

  Error LocatedError(int column, std::string_view reason) const {
    const std::string name =
        static_cast<std::size_t>(column) < names_.size() ? names_[column] : std::string();
    return Error(Format(std::string("Файл %s, таблица %s, строка %d, столбец %d (%s): %s"_w),
                        fileName_, tableName_, row_, column + 1, name, reason));
  }

  std::string fileName_;
  std::string tableName_;
  SqliteStatement select_;
  int row_ = 0;
  std::vector<std::string> names_;
  std::vector<std::string> recoded_;  // the recoded texts of the current row, by column
};

// A cell of a text column as UTF-8; raises Error for byte 0x98 (see AddTable).
std::string Utf8Text(const MemoryTable& table, RowIndex row, int column) {
  const std::string_view text = table.Text(row, column);
  if (text.find('\x98') != std::string_view::npos)
    throw Error(Format(std::string("Таблица %s, строка %d, столбец %s: текст содержит байт 0x98, "
                                   "который не обозначает никакого знака Windows-1251"_w),
                       table.Name(), row + 1, table.ColumnAt(column).Name()));
  return IsAscii(text) ? std::string(text) : Cp1251ToUtf8(text);
}

void BindCell(SqliteStatement& insert, const MemoryTable& table, RowIndex row, int column) {
  const int parameter = column + 1;
  const ColumnType type = table.ColumnAt(column).Type();
  if (table.IsNull(row, column))
    insert.BindNull(parameter);
  else if (type == ColumnType::String)
    insert.BindText(parameter, Utf8Text(table, row, column));
  else if (IsWholeNumberType(type))
    insert.BindInteger(parameter, table.Integer(row, column));
  else if (type == ColumnType::Currency)
    insert.BindText(parameter, table.Currency(row, column).ToText());
  else
    insert.BindReal(parameter, table.Float(row, column));
}

std::string CreateTableSql(const MemoryTable& table) {
  std::string sql = "CREATE TABLE " + QuoteSqlName(table.Name()) + " (";
  for (int column = 0; column < table.ColumnCount(); ++column) {
    const Column& def = table.ColumnAt(column);
    if (def.Name().find('\x98') != std::string::npos)
      throw Error(
          Format(std::string("Таблица %s: имя столбца содержит байт 0x98"_w), table.Name()));
    sql += (column ? ", " : "") + QuoteSqlName(Cp1251ToUtf8(def.Name())) + " " +
           std::string(SqlType(def.Type()));
  }
  return sql + ")";
}

std::string InsertSql(const MemoryTable& table) {
  std::string sql = "INSERT INTO " + QuoteSqlName(table.Name()) + " VALUES (";
  for (int column = 0; column < table.ColumnCount(); ++column)
    sql += column ? ", ?" : "?";
  return sql + ")";
}

}  // namespace

SqliteCatalogueReader::SqliteCatalogueReader(const fs::path& file)
    : fileName_(PathForMessage(file)), db_(SqliteDb::OpenReadOnly(file)) {
  if (!StartsLikeSqlite(file))
    throw Error(Format(std::string("Файл %s не является файлом каталога (базой данных SQLite)"_w),
                       fileName_));
  const auto version = FormatVersion(db_);
  if (!version)
    throw Error(Format(
        std::string("Файл %s не является файлом каталога: нет таблицы %s с версией формата"_w),
        fileName_, kMetaTable));
  if (*version != std::to_string(kSqliteCatalogueVersion))
    throw Error(Format(std::string("Файл каталога %s записан в формате версии %s, а программа "
                                   "читает версию %d"_w),
                       fileName_, Utf8ForMessage(*version), kSqliteCatalogueVersion));
}

void SqliteCatalogueReader::ReadTable(TableBuilder& builder) {
  const std::string_view table = builder.Schema().Name;
  const auto stored = StoredTableName(db_, table);
  if (!stored)
    return;
  SqlTableRows rows(fileName_, std::string(table),
                    db_.Prepare("SELECT * FROM " + QuoteSqlName(*stored) + " ORDER BY rowid"));
  rows.ReadInto(builder);
}

SqliteCatalogueWriter::SqliteCatalogueWriter()
    : db_(SqliteDb::InMemory(std::string("каталог"_w))), transaction_(db_) {
  db_.Execute("CREATE TABLE " + QuoteSqlName(kMetaTable) + " (Name TEXT PRIMARY KEY, Value TEXT)");
  SqliteStatement insert =
      db_.Prepare("INSERT INTO " + QuoteSqlName(kMetaTable) + " VALUES (?1, ?2)");
  insert.BindText(1, kVersionName);
  insert.BindText(2, std::to_string(kSqliteCatalogueVersion));
  insert.Step();
}

void SqliteCatalogueWriter::AddTable(const MemoryTable& table) {
  db_.Execute(CreateTableSql(table));
  SqliteStatement insert = db_.Prepare(InsertSql(table));
  for (RowIndex row = 0; row < table.RowCount(); ++row) {
    for (int column = 0; column < table.ColumnCount(); ++column)
      BindCell(insert, table, row, column);
    insert.Step();
    insert.Reset();
  }
}

void SqliteCatalogueWriter::SaveAs(const fs::path& path) {
  transaction_.Commit();
  WriteFileAtomically(path, db_.FileImage());
}

}  // namespace rxf
