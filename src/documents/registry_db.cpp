#include "documents/registry_db.h"

#include <sqlite3.h>

#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace {

// How long a copy waits for another copy's change to finish.
constexpr int kBusyTimeoutMs = 30000;

std::string Reason(sqlite3* db) {
  return Utf8ForMessage(db ? sqlite3_errmsg(db) : "out of memory");
}

}  // namespace

TRegistryDb::TRegistryDb(const std::filesystem::path& file) : name_(PathForMessage(file)) {
  const int result =
      sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (result != SQLITE_OK || sqlite3_busy_timeout(db_, kBusyTimeoutMs) != SQLITE_OK) {
    const std::string reason = Reason(db_);
    sqlite3_close_v2(db_);
    throw Error(Format("Ошибка открытия файла [%s]\r\n(%s)"_w, name_, reason));
  }
}

TRegistryDb::~TRegistryDb() {
  sqlite3_close_v2(db_);
}

void TRegistryDb::Fail() const {
  throw Error(Format("Ошибка базы данных реестра заказов [%s]\r\n(%s)"_w, name_, Reason(db_)));
}

void TRegistryDb::Execute(const char* sql) {
  if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
    Fail();
}

TRegistryStatement TRegistryDb::Prepare(std::string_view sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr) !=
      SQLITE_OK)
    Fail();
  return TRegistryStatement(*this, statement);
}

TRegistryStatement::~TRegistryStatement() {
  sqlite3_finalize(statement_);
}

void TRegistryStatement::Bind(int index, std::int64_t value) {
  if (sqlite3_bind_int64(statement_, index, value) != SQLITE_OK)
    db_.Fail();
}

void TRegistryStatement::Bind(int index, std::string_view utf8) {
  if (sqlite3_bind_text64(statement_, index, utf8.data(), utf8.size(), SQLITE_TRANSIENT,
                          SQLITE_UTF8) != SQLITE_OK)
    db_.Fail();
}

bool TRegistryStatement::Step() {
  const int result = sqlite3_step(statement_);
  if (result == SQLITE_ROW)
    return true;
  if (result != SQLITE_DONE)
    db_.Fail();
  return false;
}

std::int64_t TRegistryStatement::Integer(int column) const {
  return sqlite3_column_int64(statement_, column);
}

std::string TRegistryStatement::Text(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  return text
             ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
             : std::string();
}

TRegistryTransaction::TRegistryTransaction(TRegistryDb& db) : db_(db) {
  db_.Execute("BEGIN IMMEDIATE");
}

TRegistryTransaction::~TRegistryTransaction() {
  if (!open_)
    return;
  try {
    db_.Execute("ROLLBACK");
  } catch (const Error&) {
    // The change is abandoned either way; the failure that brought us here is the one to report.
  }
}

void TRegistryTransaction::Commit() {
  db_.Execute("COMMIT");
  open_ = false;
}

}  // namespace rxf
