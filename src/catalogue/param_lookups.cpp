#include "catalogue/param_lookups.h"

#include <optional>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace {

std::optional<RowRef> LocateEntry(const TableView& list, std::int32_t id) {
  return list.Locate("ID", {static_cast<double>(id)});
}

// The entry, or Error(message with the ID) unless quiet.
std::optional<RowRef> LocateOrRaise(const TableView& list, std::int32_t id, bool quiet,
                                    std::string_view message) {
  auto row = LocateEntry(list, id);
  if (!row && !quiet)
    throw Error(Format(message, id));
  return row;
}

std::string NameOf(const TableView& list, std::int32_t id) {
  const auto row = LocateEntry(list, id);
  return row ? row->Text("Name") : std::string();
}

std::int32_t WholeOf(const RowRef& row, std::string_view column) {
  return static_cast<std::int32_t>(row.Integer(column));
}

}  // namespace

void GetFalzParams(const TDM& dm, std::int32_t falzId, TFlugelParams& params, bool quiet) {
  params.FalzLuft = 0;
  params.FalzSize = 0;
  params.FalzPos = 0;
  const auto row = LocateOrRaise(dm.T_FalzList(), falzId, quiet,
                                 "В БД параметров фальца отсутствуют данные для кода [%d]!"_w);
  if (!row)
    return;
  params.FalzLuft = WholeOf(*row, "FalzLuft");
  params.FalzSize = WholeOf(*row, "FalzSize");
  params.FalzPos = WholeOf(*row, "FalzPos");
}

void GetDornMass(const TDM& dm, std::int32_t dornId, TFlugelParams& params, bool quiet) {
  params.DornMass = 0;
  const auto row = LocateOrRaise(dm.T_DornList(), dornId, quiet,
                                 "В БД параметров дорнмасса отсутствуют данные для кода [%d]!"_w);
  if (row)
    params.DornMass = static_cast<float>(row->Float("DornMass"));
}

std::uint8_t GetStulpType(const TDM& dm, std::int32_t stulpId, bool quiet) {
  const auto row = LocateOrRaise(dm.T_StulpList(), stulpId, quiet,
                                 "В БД типов штульпа отсутствуют данные для кода [%d]!"_w);
  return row ? static_cast<std::uint8_t>(row->Integer("StulpType")) : 0;
}

void GetOpenType(const TDM& dm, std::int32_t openId, TFlugelParams& params, bool quiet) {
  params.OpenType = 0;
  const auto row =
      LocateOrRaise(dm.T_OpenList(), openId, quiet,
                    "В БД типов открываний створок отсутствуют данные для кода [%d]!"_w);
  if (row)
    params.OpenType = static_cast<std::uint8_t>(row->Integer("OpenType"));
}

std::string GetFalzName(const TDM& dm, std::int32_t id) {
  return NameOf(dm.T_FalzList(), id);
}

std::string GetDornName(const TDM& dm, std::int32_t id) {
  return NameOf(dm.T_DornList(), id);
}

std::string GetStulpName(const TDM& dm, std::int32_t id) {
  return NameOf(dm.T_StulpList(), id);
}

std::string GetOpenName(const TDM& dm, std::int32_t id) {
  return NameOf(dm.T_OpenList(), id);
}

}  // namespace rxf
