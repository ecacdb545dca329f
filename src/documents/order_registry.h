// The order registry: the firm's list of orders by number, kept in the registry table (see
// order_list_table.h) and updated from the orders and their files. Questions and messages go
// through UiServices with the system's texts; each operation returns whether it did its work (false
// when the user cancelled or a message said why not).
//
// Several running copies may share the registry: every change is one transaction that takes the
// database's lock before it reads, so a check and the change it allows cannot be split by another
// copy, and a change is never left half made.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/order_list_table.h"
#include "foundation/configuration.h"
#include "foundation/ui_services.h"

namespace rxf {

class TrxfOrder;

class TOrderRegistry {
 public:
  // Opens the registry of the configuration (RegistryDir), creating it when missing; order files
  // are stored relative to OrdersDir, and retired into RecycledDir and ArchiveDir. Raises Error
  // "Ошибка открытия файла [...]..." when the database cannot be opened.
  TOrderRegistry(const TConfiguration& config, UiServices& ui);

  std::optional<TRegistryRow> Find(std::string_view orderNo) { return table_.Find(orderNo); }
  std::vector<TRegistryRow> List(TRegistryIndex index) { return table_.List(index); }

  // The number check before an order is saved: refuses an empty number, and the number of another
  // registered order when the order has not been saved under a name of its own yet.
  bool CheckOrderNo(const TrxfOrder& order, bool isNewDocument);
  // Adds or updates the order's row, asking first unless silent. prevOrderNo is the number the
  // order had when it was last loaded or saved: when it changed, its row takes the new number.
  bool RegisterOrder(const TrxfOrder& order, const std::filesystem::path& fileName,
                     std::string_view prevOrderNo, bool silent);
  // Adds a row for each order file whose number the registry does not hold, in the order given.
  // After a file that cannot be added the user chooses to go on or stop. True when every file
  // was added.
  bool RegisterOrderFiles(const std::vector<std::filesystem::path>& fileNames);
  // Updates the row of the number from its order file, after asking.
  bool RefreshEntry(std::string_view orderNo);
  // Remove the rows of the numbers (all of them or, on any error, none) after asking when ask is
  // set, then move their files: deleted ones into RecycledDir when moveToRecycled, archived ones
  // always into ArchiveDir. A file that cannot be moved is reported and the others still move.
  bool DeleteEntries(const std::vector<std::string>& orderNos, bool ask, bool moveToRecycled);
  bool ArchiveEntries(const std::vector<std::string>& orderNos, bool ask);
  // Removes every row after asking; no order file moves.
  bool ClearRegistry();

 private:
  struct Retirement;
  bool RetireEntries(const std::vector<std::string>& orderNos, bool ask, const Retirement& how);
  // The row values an order gives, with the file in stored form; Note stays empty.
  TRegistryRow RowOf(const TrxfOrder& order, const std::filesystem::path& fileName) const;
  std::filesystem::path OrderFilePath(std::string_view orderFile) const;

  TConfiguration config_;
  UiServices& ui_;
  TOrderListTable table_;
};

}  // namespace rxf
