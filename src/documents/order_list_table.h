// The registry table OrderLst: one row per order number, with the customer, object, date, total
// cost and order file of the order. It lives in the registry database "OrderLst.sqlite" of the
// registry folder, created with the table and its named orders when missing.
//
// Rows hold Windows-1251 text here and UTF-8 in the database, which any SQLite tool can read.
// Texts are cut to their column's width in characters before they are stored. Numbers are found
// ignoring letter case (ANSI upper-case forms, Cyrillic included): the column "NoKey" holds the
// upper-case form of "No" and no two rows share it. "RegDate" is stored as "yyyy-mm-dd" and "Cost"
// in ten-thousandths.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/registry_db.h"
#include "foundation/datetime.h"
#include "foundation/money.h"

namespace rxf {

inline constexpr std::string_view kRegistryFileName = "OrderLst.sqlite";

struct TRegistryRow {
  std::string No;         // 30 characters
  TDateTime RegDate = 0;  // the date only
  std::string Customer;   // 40
  std::string Object;     // 40
  std::string Address;    // 80
  std::string Phone;      // 40
  Money Cost;
  std::int32_t Currency = 0;
  std::string OrderFile;  // 255, stored form
  std::string Note;       // 255, typed by the user in the registry window
};

// The named orders of the rows; Primary is by number.
enum class TRegistryIndex { Primary, Date, CustName, ObjName };

// The number as the table holds it: cut to the width of "No".
std::string RegistryNumber(std::string_view orderNo);

class TOrderListTable {
 public:
  // Opens the database in folder, creating the folder, the database and the table when missing.
  explicit TOrderListTable(const std::filesystem::path& folder);

  TRegistryDb& Db() { return db_; }

  // The row of the number, letter case ignored.
  std::optional<TRegistryRow> Find(std::string_view no);
  bool IsEmpty();
  std::vector<TRegistryRow> List(TRegistryIndex index);
  void Insert(const TRegistryRow& row);
  // Replaces every column of the row of number key (letter case ignored), the number included.
  void Write(std::string_view key, const TRegistryRow& row);
  void Delete(std::string_view no);
  void DeleteAll();

 private:
  TRegistryDb db_;
};

}  // namespace rxf
