#include "foundation/setup.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>

#include "foundation/cp1251.h"
#include "foundation/decimal_text.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/hex_text.h"
#include "foundation/ini_file.h"
#include "foundation/text.h"

namespace rxf {

namespace {

constexpr std::string_view kFirm = "Firm";
constexpr std::string_view kMoney = "Money";
constexpr std::string_view kTax = "Tax";
constexpr std::string_view kPriceGroupNames = "PriceGroupNames";
constexpr std::string_view kDefaults = "Defaults";
constexpr std::string_view kReport = "Report";
constexpr std::string_view kFtp = "FTP";
constexpr int kPriceGroups = 10;

struct TextEntry {
  std::string_view key;
  std::string TrxfSetup::*field;
};

constexpr TextEntry kFirmEntries[] = {
    {"Name", &TrxfSetup::Name},
    {"Logo", &TrxfSetup::Logo},
    {"Address", &TrxfSetup::Address},
    {"JustAddress", &TrxfSetup::JustAddress},
    {"ZipCode", &TrxfSetup::ZipCode},
    {"Phone1", &TrxfSetup::Phone1},
    {"Phone2", &TrxfSetup::Phone2},
    {"Phone3", &TrxfSetup::Phone3},
    {"Fax", &TrxfSetup::Fax},
    {"EMail", &TrxfSetup::EMail},
    {"Internet", &TrxfSetup::Internet},
    {"INN", &TrxfSetup::INN},
    {"Account", &TrxfSetup::Account},
    {"Director", &TrxfSetup::Director},
    {"BookKeeper", &TrxfSetup::BookKeeper},
};

TWindowState WindowStateOf(std::int32_t value) {
  return value >= 0 && value <= 2 ? static_cast<TWindowState>(value) : TWindowState::Normal;
}

bool FitsSingle(double value) {
  return std::abs(value) <= std::numeric_limits<float>::max();
}

float ReadSingle(const IniFile& ini, std::string_view section, std::string_view key) {
  const double value = ini.ReadFloat(section, key, 0);
  return FitsSingle(value) ? static_cast<float>(value) : 0.0f;
}

float ReadTaxRate(const IniFile& ini) {
  const std::string text = RemoveBlanks(ini.ReadString(kTax, "NDSTax", "18"));
  const auto rate = ParseDecimal(text, ProcessFormats().DecimalSeparator);
  if (!rate || !FitsSingle(*rate))
    throw Error(Format(
        "Ставка НДС «%s» (ключ NDSTax раздела Tax файла настроек) не является числом"_w, text));
  return static_cast<float>(*rate);
}

void CreateMissingFolder(const std::string& folder) {
  std::error_code ignored;
  if (!folder.empty() && !std::filesystem::exists(DiskPath(folder), ignored))
    std::filesystem::create_directories(DiskPath(folder), ignored);
}

// The folders the documents go to; the registry folder is not among them. Linux has no hidden
// attribute, so the recycle folder is a plain folder.
void CreateDocumentFolders(const TConfiguration& config) {
  for (const std::string* folder :
       {&config.ServerDir, &config.OrdersDir, &config.RecycledDir, &config.ArchiveDir,
        &config.SelectionDir, &config.ReportDir, &config.ExportDir})
    CreateMissingFolder(*folder);
}

}  // namespace

TrxfSetup::TrxfSetup(const TConfiguration& config, UserStore& store, UiServices& ui)
    : iniFileName_(config.IniFileName), store_(store), ui_(ui) {
  Loaded = Load(config);
}

bool TrxfSetup::Load(const TConfiguration& config) {
  std::error_code ignored;
  if (iniFileName_.empty() || !std::filesystem::exists(DiskPath(iniFileName_), ignored))
    return false;
  LoadIni();
  LoadRegistry();
  CreateDocumentFolders(config);
  return true;
}

void TrxfSetup::LoadIni() {
  const BusyCursorScope busy(ui_);
  const IniFile ini = ReadIniFile(DiskPath(iniFileName_));
  for (const auto& [key, field] : kFirmEntries)
    this->*field = ini.ReadString(kFirm, key, "");
  CurCurrency = ini.ReadInteger(kMoney, "CurCurrency", 0);
  NDSTax = ReadTaxRate(ini);
  TotalNDS = ini.ReadBool(kTax, "TotalNDS", true);
  ShowIncludingNDS = ini.ReadBool(kTax, "ShowIncludingNDS", true);
  PriceGrpNo = ini.ReadInteger(kTax, "PriceGrpNo", 0);
  PriceGroupNames.clear();
  for (int group = 1; group <= kPriceGroups; ++group)
    PriceGroupNames.push_back(
        ini.ReadString(kPriceGroupNames, std::to_string(group), Format("?????? #%d", group)));
  DefProfSys = ini.ReadString(kDefaults, "DefProfSys", "");
  DefFurnSys = ini.ReadString(kDefaults, "DefFurnSys", "");
  DefFurnSysGroup = ini.ReadInteger(kDefaults, "DefFurnSysGroup", 0);
  DefInnerProfColor = ini.ReadString(kDefaults, "DefInnerProfColor", "");
  DefOuterProfColor = ini.ReadString(kDefaults, "DefOuterProfColor", "");
  DefFurnColor = ini.ReadString(kDefaults, "DefFurnColor", "");
  DefHandle = ini.ReadString(kDefaults, "DefHandle", "");
  DefMaterial = ini.ReadInteger(kDefaults, "DefMaterial", 1);
  DefFalzType = ini.ReadInteger(kDefaults, "DefFalzType", 0);
  DefDornType = ini.ReadInteger(kDefaults, "DefDornType", 0);
  DefStulpFalzType = ini.ReadInteger(kDefaults, "DefStulpFalzType", 0);
  DefFlugelType = ini.ReadInteger(kDefaults, "DefFlugelType", 0);
  DefProfWidth = ReadSingle(ini, kDefaults, "DefProfWidth");
  DefProfThickness = ReadSingle(ini, kDefaults, "DefProfThickness");
  ReportLogo = ini.ReadString(kReport, "Logo", "");
  UserDefineHeight = ini.ReadBool(kDefaults, "UserDefineHeight", true);
  ftpHost = ini.ReadString(kFtp, "ftpHost", "");
  ftpPort = ini.ReadInteger(kFtp, "ftpPort", 21);
  ftpUserName = BytesOfHex(ini.ReadString(kFtp, "ftpUserName", ""));
  ftpPassword = BytesOfHex(ini.ReadString(kFtp, "ftpPassword", ""));
  ftpDir = ini.ReadString(kFtp, "ftpDir", "");
  ftpUpload = ini.ReadBool(kFtp, "ftpUpload", false);
}

// Each value is set as soon as it is read: after a failure the values read so far stay and the
// rest keep their zeros.
void TrxfSetup::LoadRegistry() {
  try {
    store_.Update([this](StoreKey& root) {
      const StoreKey& key = root.CreateKey(kSettingsKey);
      DezeredezMainWinState = WindowStateOf(key.ReadInteger("DezeredezMainWinState").value_or(0));
      DezeredezOrderWinState = WindowStateOf(key.ReadInteger("DezeredezOrderWinState").value_or(0));
      DezeredezDesignWinState =
          WindowStateOf(key.ReadInteger("DezeredezDesignWinState").value_or(0));
      DezeredezDesignFormW = key.ReadInteger("DezeredezDesignFormW").value_or(640);
      DezeredezDesignFormH = key.ReadInteger("DezeredezDesignFormH").value_or(480);
      AlertIfNotFull = key.ReadBool("AlertIfNotFull").value_or(true);
      AutoReg = key.ReadBool("AutoReg").value_or(true);
      AutoOpenReg = key.ReadBool("AutoOpenReg").value_or(true);
      MoveToRecycled = key.ReadBool("MoveToRecycled").value_or(true);
      AutoLoadCurrency = key.ReadBool("AutoLoadCurrency").value_or(true);
    });
  } catch (const Error& e) {
    ui_.ShowError(Format("Ошибка чтения из системного реестра!\r\n(%s)"_w, e.what()));
  }
}

void TrxfSetup::Save() {
  if (!Loaded)
    return;
  SaveRegistry();
  SaveIni();
}

void TrxfSetup::SaveRegistry() {
  const BusyCursorScope busy(ui_);
  try {
    store_.Update([this](StoreKey& root) {
      StoreKey& key = root.CreateKey(kSettingsKey);
      key.WriteInteger("DezeredezMainWinState", static_cast<int>(DezeredezMainWinState));
      key.WriteInteger("DezeredezOrderWinState", static_cast<int>(DezeredezOrderWinState));
      key.WriteInteger("DezeredezDesignWinState", static_cast<int>(DezeredezDesignWinState));
      key.WriteInteger("DezeredezDesignFormW", DezeredezDesignFormW);
      key.WriteInteger("DezeredezDesignFormH", DezeredezDesignFormH);
      key.WriteBool("AlertIfNotFull", AlertIfNotFull);
      key.WriteBool("AutoReg", AutoReg);
      key.WriteBool("AutoOpenReg", AutoOpenReg);
      key.WriteBool("MoveToRecycled", MoveToRecycled);
      key.WriteBool("AutoLoadCurrency", AutoLoadCurrency);
    });
  } catch (const Error& e) {
    ui_.ShowError(Format("Ошибка записи в системный реестр!\r\n(%s)"_w, e.what()));
  }
}

void TrxfSetup::SaveIni() {
  UpdateIniFile(DiskPath(iniFileName_), [this](IniFile& ini) {
    ini.WriteString(kDefaults, "DefProfSys", DefProfSys);
    ini.WriteString(kDefaults, "DefInnerProfColor", DefInnerProfColor);
    ini.WriteString(kDefaults, "DefOuterProfColor", DefOuterProfColor);
    ini.WriteString(kDefaults, "DefFurnSys", DefFurnSys);
    ini.WriteString(kDefaults, "DefFurnColor", DefFurnColor);
    ini.WriteString(kDefaults, "DefHandle", DefHandle);
    ini.WriteInteger(kDefaults, "DefMaterial", DefMaterial);
    ini.WriteInteger(kDefaults, "DefFalzType", DefFalzType);
    ini.WriteInteger(kDefaults, "DefStulpFalzType", DefStulpFalzType);
    ini.WriteInteger(kDefaults, "DefFlugelType", DefFlugelType);
    ini.WriteInteger(kDefaults, "DefDornType", DefDornType);
    ini.WriteFloat(kDefaults, "DefProfWidth", DefProfWidth);
    ini.WriteFloat(kDefaults, "DefProfThickness", DefProfThickness);
    ini.WriteInteger(kMoney, "CurCurrency", CurCurrency);
    ini.WriteFloat(kTax, "NDSTax", NDSTax);
    for (const auto& [key, field] : kFirmEntries)
      ini.WriteString(kFirm, key, this->*field);
    ini.WriteString(kFtp, "ftpHost", ftpHost);
    ini.WriteInteger(kFtp, "ftpPort", ftpPort);
    ini.WriteString(kFtp, "ftpUserName", HexOfBytes(ftpUserName));
    ini.WriteString(kFtp, "ftpPassword", HexOfBytes(ftpPassword));
    ini.WriteString(kFtp, "ftpDir", ftpDir);
    ini.WriteBool(kFtp, "ftpUpload", ftpUpload);
  });
}

std::string TrxfSetup::GetFirmPhones() const {
  std::string phones;
  for (const std::string* phone : {&Phone1, &Phone2, &Phone3, &Fax}) {
    if (phone->empty())
      continue;
    phones += phones.empty() ? ZipCode + " " : ",";
    phones += *phone;
  }
  return phones;
}

}  // namespace rxf
