#include "documents/order_list_table.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCreateTable = R"sql(
CREATE TABLE IF NOT EXISTS OrderLst (
  "No" TEXT NOT NULL PRIMARY KEY,
  "NoKey" TEXT NOT NULL UNIQUE,
  "RegDate" TEXT NOT NULL,
  "Customer" TEXT NOT NULL,
  "Object" TEXT NOT NULL,
  "Address" TEXT NOT NULL,
  "Phone" TEXT NOT NULL,
  "Cost" INTEGER NOT NULL,
  "Currency" INTEGER NOT NULL,
  "OrderFile" TEXT NOT NULL,
  "Note" TEXT NOT NULL
);
CREATE INDEX IF NOT EXISTS "Date" ON OrderLst ("RegDate");
CREATE INDEX IF NOT EXISTS "CustName" ON OrderLst ("Customer");
CREATE INDEX IF NOT EXISTS "ObjName" ON OrderLst ("Object");
)sql";

constexpr std::string_view kColumns =
    R"sql("No", "RegDate", "Customer", "Object", "Address", "Phone", "Cost", "Currency", "OrderFile", "Note")sql";

// Column widths in characters, one byte each in Windows-1251.
constexpr std::size_t kNoWidth = 30;

std::string Cut(std::string_view text, std::size_t width) {
  return std::string(text.substr(0, width));
}

std::string DateText(TDateTime date) {
  return FormatDate("yyyy-mm-dd", date);
}

TDateTime ParseDate(std::string_view text) {
  int fields[3] = {0, 0, 0};
  std::size_t start = 0;
  for (int& field : fields) {
    const std::size_t end = std::min(text.find('-', start), text.size());
    std::from_chars(text.data() + start, text.data() + end, field);
    start = end + 1;
  }
  try {
    return EncodeDate(fields[0], fields[1], fields[2]);
  } catch (const Error&) {
    return 0;  // a date edited into something else by another tool
  }
}

std::string KeyOf(std::string_view no) {
  return Cp1251ToUtf8(AnsiUpperCase(RegistryNumber(no)));
}

// Binds the row's columns in kColumns order from parameter 1 on, cut to their widths, and the
// number's key after them.
void BindRow(TRegistryStatement& statement, const TRegistryRow& row) {
  const std::string no = RegistryNumber(row.No);
  statement.Bind(1, Cp1251ToUtf8(no));
  statement.Bind(2, DateText(row.RegDate));
  statement.Bind(3, Cp1251ToUtf8(Cut(row.Customer, 40)));
  statement.Bind(4, Cp1251ToUtf8(Cut(row.Object, 40)));
  statement.Bind(5, Cp1251ToUtf8(Cut(row.Address, 80)));
  statement.Bind(6, Cp1251ToUtf8(Cut(row.Phone, 40)));
  statement.Bind(7, row.Cost.Ticks());
  statement.Bind(8, std::int64_t{row.Currency});
  statement.Bind(9, Cp1251ToUtf8(Cut(row.OrderFile, 255)));
  statement.Bind(10, Cp1251ToUtf8(Cut(row.Note, 255)));
  statement.Bind(11, KeyOf(no));
}

// The row at the statement's current step, columns in kColumns order.
TRegistryRow ReadRow(const TRegistryStatement& statement) {
  // A character another tool stored without a Windows-1251 form reads as "?".
  const auto text = [&](int column) { return Utf8ForMessage(statement.Text(column)); };
  TRegistryRow row;
  row.No = text(0);
  row.RegDate = ParseDate(statement.Text(1));
  row.Customer = text(2);
  row.Object = text(3);
  row.Address = text(4);
  row.Phone = text(5);
  row.Cost = Money::FromTicks(statement.Integer(6));
  row.Currency = static_cast<std::int32_t>(statement.Integer(7));
  row.OrderFile = text(8);
  row.Note = text(9);
  return row;
}

std::string_view OrderBy(TRegistryIndex index) {
  switch (index) {
    case TRegistryIndex::Date:
      return R"sql( ORDER BY "RegDate", "No")sql";
    case TRegistryIndex::CustName:
      return R"sql( ORDER BY "Customer", "No")sql";
    case TRegistryIndex::ObjName:
      return R"sql( ORDER BY "Object", "No")sql";
    case TRegistryIndex::Primary:
      break;
  }
  return R"sql( ORDER BY "No")sql";
}

fs::path DatabaseFile(const fs::path& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  return folder / kRegistryFileName;
}

}  // namespace

std::string RegistryNumber(std::string_view orderNo) {
  return Cut(orderNo, kNoWidth);
}

TOrderListTable::TOrderListTable(const fs::path& folder) : db_(DatabaseFile(folder)) {
  TRegistryTransaction transaction(db_);
  db_.Execute(kCreateTable);
  transaction.Commit();
}

std::optional<TRegistryRow> TOrderListTable::Find(std::string_view no) {
  TRegistryStatement statement =
      db_.Prepare("SELECT " + std::string(kColumns) + R"sql( FROM OrderLst WHERE "NoKey" = ?)sql");
  statement.Bind(1, KeyOf(no));
  if (!statement.Step())
    return std::nullopt;
  return ReadRow(statement);
}

bool TOrderListTable::IsEmpty() {
  TRegistryStatement statement = db_.Prepare("SELECT EXISTS (SELECT 1 FROM OrderLst)");
  statement.Step();
  return statement.Integer(0) == 0;
}

std::vector<TRegistryRow> TOrderListTable::List(TRegistryIndex index) {
  TRegistryStatement statement = db_.Prepare("SELECT " + std::string(kColumns) + " FROM OrderLst" +
                                             std::string(OrderBy(index)));
  std::vector<TRegistryRow> rows;
  while (statement.Step())
    rows.push_back(ReadRow(statement));
  return rows;
}

void TOrderListTable::Insert(const TRegistryRow& row) {
  TRegistryStatement statement =
      db_.Prepare("INSERT INTO OrderLst (" + std::string(kColumns) +
                  R"sql(, "NoKey") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?))sql");
  BindRow(statement, row);
  statement.Step();
}

void TOrderListTable::Write(std::string_view key, const TRegistryRow& row) {
  TRegistryStatement statement = db_.Prepare(
      R"sql(UPDATE OrderLst SET "No" = ?1, "RegDate" = ?2, "Customer" = ?3, "Object" = ?4,
            "Address" = ?5, "Phone" = ?6, "Cost" = ?7, "Currency" = ?8, "OrderFile" = ?9,
            "Note" = ?10, "NoKey" = ?11 WHERE "NoKey" = ?12)sql");
  BindRow(statement, row);
  statement.Bind(12, KeyOf(key));
  statement.Step();
}

void TOrderListTable::Delete(std::string_view no) {
  TRegistryStatement statement = db_.Prepare(R"sql(DELETE FROM OrderLst WHERE "NoKey" = ?)sql");
  statement.Bind(1, KeyOf(no));
  statement.Step();
}

void TOrderListTable::DeleteAll() {
  db_.Execute("DELETE FROM OrderLst");
}

}  // namespace rxf
