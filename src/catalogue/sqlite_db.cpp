#include "catalogue/sqlite_db.h"

#include <sqlite3.h>

#include <utility>

#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace {

// A connection serves one thread at a time, so SQLite need not lock it on every call.
constexpr int kOpenReadOnly = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
constexpr int kOpenInMemory = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;

}  // namespace

std::string QuoteSqlName(std::string_view name) {
  std::string quoted = "\"";
  for (const char c : name) {
    quoted += c;
    if (c == '"')
      quoted += '"';
  }
  return quoted + '"';
}

SqliteDb::SqliteDb(sqlite3* db, std::string displayName)
    : db_(db), displayName_(std::move(displayName)) {}

SqliteDb::SqliteDb(SqliteDb&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)), displayName_(std::move(other.displayName_)) {}

SqliteDb::~SqliteDb() {
  sqlite3_close_v2(db_);
}

SqliteDb SqliteDb::OpenReadOnly(const std::filesystem::path& path) {
  sqlite3* db = nullptr;
  const int result = sqlite3_open_v2(path.c_str(), &db, kOpenReadOnly, nullptr);
  SqliteDb owner(db, PathForMessage(path));
  if (result != SQLITE_OK)
    owner.Fail("Не удалось открыть базу данных"_w);
  return owner;
}

SqliteDb SqliteDb::InMemory(std::string displayName) {
  sqlite3* db = nullptr;
  const int result = sqlite3_open_v2(":memory:", &db, kOpenInMemory, nullptr);
  SqliteDb owner(db, std::move(displayName));
  if (result != SQLITE_OK)
    owner.Fail("Не удалось создать базу данных"_w);
  return owner;
}

void SqliteDb::Fail(std::string_view what) const {
  const char* reason = db_ ? sqlite3_errmsg(db_) : "out of memory";
  throw Error(Format(std::string("%s (%s): %s"_w), what, displayName_, Utf8ForMessage(reason)));
}

void SqliteDb::Execute(const std::string& sql) {
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
    Fail("Ошибка базы данных"_w);
}

SqliteStatement SqliteDb::Prepare(std::string_view sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr) !=
      SQLITE_OK)
    Fail("Ошибка базы данных"_w);
  return SqliteStatement(*this, statement);
}

std::string SqliteDb::FileImage() {
  sqlite3_int64 size = 0;
  unsigned char* bytes = sqlite3_serialize(db_, "main", &size, 0);
  if (!bytes)
    Fail("Не удалось получить образ базы данных"_w);
  std::string image(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
  sqlite3_free(bytes);
  return image;
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : db_(other.db_), statement_(std::exchange(other.statement_, nullptr)) {}

SqliteStatement::~SqliteStatement() {
  sqlite3_finalize(statement_);
}

void SqliteStatement::Check(int result) const {
  if (result != SQLITE_OK)
    db_->Fail("Ошибка базы данных"_w);
}

void SqliteStatement::BindNull(int index) {
  Check(sqlite3_bind_null(statement_, index));
}

void SqliteStatement::BindInteger(int index, std::int64_t value) {
  Check(sqlite3_bind_int64(statement_, index, value));
}

void SqliteStatement::BindReal(int index, double value) {
  Check(sqlite3_bind_double(statement_, index, value));
}

void SqliteStatement::BindText(int index, std::string_view utf8) {
  Check(sqlite3_bind_text64(statement_, index, utf8.data(), utf8.size(), SQLITE_TRANSIENT,
                            SQLITE_UTF8));
}

bool SqliteStatement::Step() {
  const int result = sqlite3_step(statement_);
  if (result == SQLITE_ROW)
    return true;
  if (result != SQLITE_DONE)
    db_->Fail("Ошибка базы данных"_w);
  return false;
}

void SqliteStatement::Reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

int SqliteStatement::ColumnCount() const {
  return sqlite3_column_count(statement_);
}

std::string_view SqliteStatement::ColumnName(int column) const {
  const char* name = sqlite3_column_name(statement_, column);
  return name ? std::string_view(name) : std::string_view();
}

SqlValueKind SqliteStatement::Kind(int column) const {
  switch (sqlite3_column_type(statement_, column)) {
    case SQLITE_INTEGER:
      return SqlValueKind::Integer;
    case SQLITE_FLOAT:
      return SqlValueKind::Real;
    case SQLITE_TEXT:
      return SqlValueKind::Text;
    case SQLITE_BLOB:
      return SqlValueKind::Blob;
    default:
      return SqlValueKind::Null;
  }
}

std::int64_t SqliteStatement::Integer(int column) const {
  return sqlite3_column_int64(statement_, column);
}

double SqliteStatement::Real(int column) const {
  return sqlite3_column_double(statement_, column);
}

std::string_view SqliteStatement::Text(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  const int size = sqlite3_column_bytes(statement_, column);
  return text ? std::string_view(text, static_cast<std::size_t>(size)) : std::string_view();
}

SqliteTransaction::SqliteTransaction(SqliteDb& db) : db_(&db) {
  db_->Execute("BEGIN");
}

SqliteTransaction::~SqliteTransaction() {
  if (open_) {
    try {
      db_->Execute("ROLLBACK");
    } catch (const Error&) {
      // The work is abandoned either way; the failure that brought us here is the one to report.
    }
  }
}

void SqliteTransaction::Commit() {
  db_->Execute("COMMIT");
  open_ = false;
}

}  // namespace rxf
