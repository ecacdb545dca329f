// The connection to the registry database, a SQLite file that several running copies of the
// system may share. A copy that finds the database locked by another waits for it instead of
// failing at once. Every failure raises Error naming the file, with SQLite's reason; a failure in
// the middle of a change leaves no transaction open. Texts crossing this edge are UTF-8.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace rxf {

class TRegistryStatement;

class TRegistryDb {
 public:
  // Opens the file for reading and writing, creating it when missing; its folder must exist.
  // Failure: "Ошибка открытия файла [file]\r\n(reason)".
  explicit TRegistryDb(const std::filesystem::path& file);
  ~TRegistryDb();
  TRegistryDb(const TRegistryDb&) = delete;
  TRegistryDb& operator=(const TRegistryDb&) = delete;

  // Runs statements that return no rows.
  void Execute(const char* sql);
  TRegistryStatement Prepare(std::string_view sql);
  // "Ошибка базы данных реестра заказов [file]\r\n(SQLite's reason)".
  [[noreturn]] void Fail() const;

 private:
  sqlite3* db_ = nullptr;
  std::string name_;  // Windows-1251, for messages
};

class TRegistryStatement {
 public:
  TRegistryStatement(const TRegistryDb& db, sqlite3_stmt* statement)
      : db_(db), statement_(statement) {}
  TRegistryStatement(const TRegistryStatement&) = delete;
  TRegistryStatement& operator=(const TRegistryStatement&) = delete;
  ~TRegistryStatement();

  // Parameters count from 1; a text is copied.
  void Bind(int index, std::int64_t value);
  void Bind(int index, std::string_view utf8);
  // Runs up to the next row: true while a row is ready.
  bool Step();
  // The current row's columns, counted from 0; a text is copied.
  std::int64_t Integer(int column) const;
  std::string Text(int column) const;

 private:
  const TRegistryDb& db_;
  sqlite3_stmt* statement_;
};

// Takes the database's write lock at once, so that what the change reads stays true until it
// commits; another copy's change waits for it. Leaving the scope without Commit rolls back.
class TRegistryTransaction {
 public:
  explicit TRegistryTransaction(TRegistryDb& db);
  ~TRegistryTransaction();
  TRegistryTransaction(const TRegistryTransaction&) = delete;
  TRegistryTransaction& operator=(const TRegistryTransaction&) = delete;

  void Commit();

 private:
  TRegistryDb& db_;
  bool open_ = true;
};

}  // namespace rxf
