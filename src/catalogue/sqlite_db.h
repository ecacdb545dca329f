// A thin owner of one SQLite connection, its statements and its transactions. Every failure
// becomes Error with the file's name and SQLite's reason; a failure in the middle of the work
// leaks nothing and leaves no transaction open. Texts crossing this edge are UTF-8.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace rxf {

// The name between double quotes with inner quotes doubled, so that names which are SQL
// keywords ("Group", "Key", "Default") or hold any other character stay names.
std::string QuoteSqlName(std::string_view name);

class SqliteStatement;

class SqliteDb {
 public:
  // An existing database file, opened read-only. Raises Error naming the file.
  static SqliteDb OpenReadOnly(const std::filesystem::path& path);
  // A new, empty database held in memory; displayName names it in messages.
  static SqliteDb InMemory(std::string displayName);

  SqliteDb(SqliteDb&& other) noexcept;
  SqliteDb& operator=(SqliteDb&&) = delete;
  ~SqliteDb();

  // Runs statements that return no rows.
  void Execute(const std::string& sql);
  SqliteStatement Prepare(std::string_view sql);
  // The database as the bytes of its file.
  std::string FileImage();

  // The Windows-1251 message "<what> (<file>): <SQLite's reason>".
  [[noreturn]] void Fail(std::string_view what) const;

 private:
  SqliteDb(sqlite3* db, std::string displayName);

  sqlite3* db_;
  std::string displayName_;  // Windows-1251
};

enum class SqlValueKind { Null, Integer, Real, Text, Blob };

class SqliteStatement {
 public:
  SqliteStatement(const SqliteDb& db, sqlite3_stmt* statement) : db_(&db), statement_(statement) {}
  SqliteStatement(SqliteStatement&& other) noexcept;
  SqliteStatement& operator=(SqliteStatement&&) = delete;
  ~SqliteStatement();

  // Parameters count from 1; a text is copied.
  void BindNull(int index);
  void BindInteger(int index, std::int64_t value);
  void BindReal(int index, double value);
  void BindText(int index, std::string_view utf8);
  // Runs the statement up to its next row: true while a row is ready. Raises Error.
  bool Step();
  // Makes the statement ready to run again with new parameters.
  void Reset();

  // The current row's columns, counted from 0; a text stays valid until the next Step.
  int ColumnCount() const;
  std::string_view ColumnName(int column) const;
  SqlValueKind Kind(int column) const;
  std::int64_t Integer(int column) const;
  double Real(int column) const;
  std::string_view Text(int column) const;

 private:
  void Check(int result) const;

  const SqliteDb* db_;
  sqlite3_stmt* statement_;
};

// Commits only when told; leaving the scope otherwise rolls the work back.
class SqliteTransaction {
 public:
  explicit SqliteTransaction(SqliteDb& db);
  SqliteTransaction(const SqliteTransaction&) = delete;
  SqliteTransaction& operator=(const SqliteTransaction&) = delete;
  ~SqliteTransaction();

  void Commit();

 private:
  SqliteDb* db_;
  bool open_ = true;
};

}  // namespace rxf
