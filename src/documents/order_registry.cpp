#include "documents/order_registry.h"

#include <cmath>
#include <system_error>

#include "documents/move_order_file.h"
#include "documents/order.h"
#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/paths.h"

namespace rxf {

namespace fs = std::filesystem;

namespace {

std::string NotInRegistry(std::string_view orderNo) {
  return Format("Заказ № %s не найден в реестре заказов!"_w, orderNo);
}

}  // namespace

// What deleting and archiving do differently.
struct TOrderRegistry::Retirement {
  std::string_view question;
  std::string_view missingFileWarning;
  std::string folder;  // empty: the files stay where they are
};

TOrderRegistry::TOrderRegistry(const TConfiguration& config, UiServices& ui)
    : config_(config), ui_(ui), table_(DiskPath(config.RegistryDir)) {}

fs::path TOrderRegistry::OrderFilePath(std::string_view orderFile) const {
  return ExpandStoredPath(DiskPath(config_.OrdersDir), orderFile);
}

TRegistryRow TOrderRegistry::RowOf(const TrxfOrder& order, const fs::path& fileName) const {
  TRegistryRow row;
  row.No = order.OrderNo;
  row.RegDate = std::floor(order.RegDate);
  row.Customer = order.Customer;
  row.Object = order.ObjectName;
  row.Address = order.Address;
  row.Phone = order.Phones;
  row.Cost = order.GetTotalCost();
  row.Currency = order.Currency;
  row.OrderFile =
      MakeRelativePath(config_.OrdersDir, PathText(fs::absolute(fileName).lexically_normal()));
  return row;
}

bool TOrderRegistry::CheckOrderNo(const TrxfOrder& order, bool isNewDocument) {
  if (order.OrderNo.empty()) {
    ui_.ShowError("Не указан номер заказа!"_w);
    return false;
  }
  const auto row = isNewDocument ? table_.Find(order.OrderNo) : std::nullopt;
  if (row) {
    ui_.ShowError(
        Format("Заказ с номером %s был зарегистрирован %s!\r\nУкажите другой номер заказа."_w,
               order.OrderNo, FormatShortDate(row->RegDate)));
    return false;
  }
  return true;
}

bool TOrderRegistry::RegisterOrder(const TrxfOrder& order, const fs::path& fileName,
                                   std::string_view prevOrderNo, bool silent) {
  TRegistryRow row = RowOf(order, fileName);
  if (!silent && !ui_.AskConfirm("Зарегистрировать заказ / обновить данные в реестре?"_w))
    return false;
  if (order.OrderNo.empty()) {
    ui_.ShowError("Заказ не имеет номера!\r\nДля учета заказа необходимо наличие номера."_w);
    return false;
  }
  bool numberTaken = false;
  {
    TRegistryTransaction transaction(table_.Db());
    const bool renamed = !prevOrderNo.empty() && !AnsiSameText(prevOrderNo, order.OrderNo);
    auto previous = renamed ? table_.Find(prevOrderNo) : std::nullopt;
    auto current = table_.Find(order.OrderNo);
    // The renamed order's row cannot take a number another row holds.
    numberTaken = previous && current;
    const auto& existing = previous ? previous : current;
    if (!numberTaken) {
      if (existing) {
        row.Note = existing->Note;
        table_.Write(existing->No, row);
      } else {
        table_.Insert(row);
      }
      transaction.Commit();
    }
  }
  if (numberTaken)
    ui_.ShowError(Format("Заказ № %s уже существует\r\nв реестре заказов!"_w, order.OrderNo));
  return !numberTaken;
}

bool TOrderRegistry::RegisterOrderFiles(const std::vector<fs::path>& fileNames) {
  const BusyCursorScope busy(ui_);
  bool allAdded = true;
  for (const fs::path& fileName : fileNames) {
    try {
      TrxfOrder order;
      if (!ReadWhole(order.LoadFromFile(fileName, ui_))) {
        allAdded = false;  // the load has said why
        continue;
      }
      if (order.OrderNo.empty()) {
        ui_.ShowError(
            "Загружаемый заказ не имеет номера!\r\nДля учета заказа необходимо наличие номера."_w);
        allAdded = false;
        continue;
      }
      bool exists = false;
      {
        TRegistryTransaction transaction(table_.Db());
        exists = table_.Find(order.OrderNo).has_value();
        if (!exists) {
          table_.Insert(RowOf(order, fileName));
          transaction.Commit();
        }
      }
      if (exists) {
        ui_.ShowError(Format(
            "Загружаемый заказ № %s уже существует\r\nв реестре заказов, Вы можете только\r\n"
            "обновить данные!"_w,
            order.OrderNo));
        allAdded = false;
      }
    } catch (const Error& e) {
      allAdded = false;
      if (!ui_.AskOkAbort(
              Format("Ошибка добавления заказа в реестр!\r\n(%s)\r\n\r\nПродолжать регистрацию?"_w,
                     std::string(e.what()))))
        break;
    }
  }
  return allAdded;
}

bool TOrderRegistry::RefreshEntry(std::string_view orderNo) {
  if (table_.IsEmpty() || !ui_.AskConfirm("Обновить данные по заказу?"_w))
    return false;
  const auto row = table_.Find(orderNo);
  if (!row) {
    ui_.ShowError(NotInRegistry(orderNo));
    return false;
  }
  const fs::path file = OrderFilePath(row->OrderFile);
  std::error_code error;
  if (!fs::is_regular_file(file, error)) {
    ui_.ShowError(
        Format("Невозможно найти файл заказа № %s!\r\nФайл: %s."_w, row->No, PathForMessage(file)));
    return false;
  }
  const BusyCursorScope busy(ui_);
  TrxfOrder order;
  if (!ReadWhole(order.LoadFromFile(file, ui_)))
    return false;
  if (RegistryNumber(order.OrderNo) != row->No) {
    ui_.ShowError(
        "Изменился номер заказ, обновить данные невозможно!\r\nПеререгистрируйте заказ."_w);
    return false;
  }
  try {
    TRegistryTransaction transaction(table_.Db());
    auto current = table_.Find(row->No);
    if (!current)
      throw Error(NotInRegistry(row->No));
    TRegistryRow updated = RowOf(order, file);
    updated.No = current->No;
    updated.OrderFile = current->OrderFile;
    updated.Note = current->Note;
    table_.Write(current->No, updated);
    transaction.Commit();
  } catch (const Error& e) {
    ui_.ShowError(Format("Ошибка обновления заказа в реестр!\r\n(%s)"_w, std::string(e.what())));
    return false;
  }
  return true;
}

bool TOrderRegistry::DeleteEntries(const std::vector<std::string>& orderNos, bool ask,
                                   bool moveToRecycled) {
  return RetireEntries(orderNos, ask,
                       {"Удалить заказ?"_w,
                        "Заказ не был помещен в мусорку,\r\nт.к. не найден соответствующий ему "
                        "файл:\r\n%s."_w,
                        moveToRecycled ? config_.RecycledDir : std::string()});
}

bool TOrderRegistry::ArchiveEntries(const std::vector<std::string>& orderNos, bool ask) {
  return RetireEntries(orderNos, ask,
                       {"Поместить заказ в архив и удалить его из реестра?"_w,
                        "Заказ не был помещен в архив,\r\nт.к. не найден соответствующий ему "
                        "файл:\r\n%s."_w,
                        config_.ArchiveDir});
}

bool TOrderRegistry::RetireEntries(const std::vector<std::string>& orderNos, bool ask,
                                   const Retirement& how) {
  if (table_.IsEmpty() || (ask && !ui_.AskConfirm(how.question)))
    return false;
  const BusyCursorScope busy(ui_);
  std::vector<fs::path> files;
  try {
    TRegistryTransaction transaction(table_.Db());
    for (const std::string& orderNo : orderNos) {
      const auto row = table_.Find(orderNo);
      if (!row)
        throw Error(NotInRegistry(orderNo));
      files.push_back(OrderFilePath(row->OrderFile));
      table_.Delete(orderNo);
    }
    transaction.Commit();
  } catch (const Error& e) {
    ui_.ShowError(Format("Ошибка удаления из реестра!\r\n(%s)"_w, std::string(e.what())));
    return false;
  }
  if (how.folder.empty())
    return true;
  bool allMoved = true;
  for (const fs::path& file : files) {
    std::error_code error;
    if (!fs::is_regular_file(file, error)) {
      ui_.ShowWarning(Format(how.missingFileWarning, PathForMessage(file)));
      continue;
    }
    try {
      MoveOrderFile(file, DiskPath(how.folder));
    } catch (const Error& e) {
      ui_.ShowError(e.what());
      allMoved = false;
    }
  }
  return allMoved;
}

bool TOrderRegistry::ClearRegistry() {
  if (table_.IsEmpty() || !ui_.AskConfirm("Очистить реестр заказов не удаляя файлы заказов?"_w))
    return false;
  try {
    TRegistryTransaction transaction(table_.Db());
    table_.DeleteAll();
    transaction.Commit();
  } catch (const Error& e) {
    ui_.ShowErrorDetail("Ошибка очистки реестра"_w, e.what());
    return false;
  }
  return true;
}

}  // namespace rxf
