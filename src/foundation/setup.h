// The settings of the system: the firm's particulars, the defaults of new orders, money and tax,
// price-group names, the FTP account of supplier uploads, the switches of the options dialog and
// the remembered window states. One object lives for the whole run, owned by the run's context;
// other parts read and change its fields directly, and nothing reaches the disk before Save.
//
// The settings file of the configuration (IniFileName, shared by everyone who uses the
// configuration) holds the firm, money, tax, price-group, default, report and FTP entries; the
// per-user store holds the window states and the switches under kSettingsKey. Texts are
// Windows-1251. The FTP user name and password are kept as hexadecimal text of their bytes, a
// disguise only: no other protection is applied.
//
// The active document's currency and rate list are not here: they travel with the calculation
// context that the price lookups read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/configuration.h"
#include "foundation/ui_services.h"
#include "foundation/user_store.h"

namespace rxf {

inline constexpr std::string_view kSettingsKey = "\\SoftWare\\Korvat\\Ramulex\\Vavavozur380";

enum class TWindowState : std::uint8_t { Normal = 0, Minimized = 1, Maximized = 2 };

class TrxfSetup {
 public:
  // Loads the settings when the configuration's settings file exists (Loaded then), and creates
  // the missing document folders. An "NDSTax" entry that is not a number raises Error and stops
  // the creation; a store that cannot be read is reported through ui and leaves the window
  // states and switches not yet read at zero.
  TrxfSetup(const TConfiguration& config, UserStore& store, UiServices& ui);

  // The per-user values, then the settings file (only the entries it owns; the others stay as the
  // file has them). A store that cannot be written is reported through ui and the file is still
  // written; a file that cannot be written raises Error. Does nothing unless Loaded: a settings
  // file that was missing at start is never created.
  void Save();

  // Phone1, Phone2, Phone3 and Fax that are not empty, on one line: the first after ZipCode and a
  // blank, each later one after a comma.
  std::string GetFirmPhones() const;

  std::string Name;
  std::string Logo;
  std::string Address;
  std::string JustAddress;
  std::string ZipCode;  // the telephone city code
  std::string Phone1;
  std::string Phone2;
  std::string Phone3;
  std::string Fax;
  std::string EMail;
  std::string Internet;
  std::string INN;
  std::string Account;
  std::string Director;
  std::string BookKeeper;
  std::string DefProfSys;
  std::string DefInnerProfColor;
  std::string DefOuterProfColor;
  std::string DefFurnSys;
  std::int32_t DefFurnSysGroup = 0;  // 0 window, 1 door with threshold
  std::string DefFurnColor;
  std::string DefHandle;
  std::int32_t DefMaterial = 0;
  std::int32_t CurCurrency = 0;
  std::int32_t PriceGrpNo = 0;  // 0: none
  float NDSTax = 0;             // percent
  bool TotalNDS = false;
  bool ShowIncludingNDS = false;
  std::int32_t DefFalzType = 0;
  std::int32_t DefDornType = 0;
  std::int32_t DefStulpFalzType = 0;
  std::int32_t DefFlugelType = 0;
  float DefProfWidth = 0;      // mm
  float DefProfThickness = 0;  // mm
  bool AlertIfNotFull = false;
  bool AutoReg = false;
  bool AutoOpenReg = false;
  bool MoveToRecycled = false;
  bool AutoLoadCurrency = false;
  bool Loaded = false;  // the settings file existed at creation
  TWindowState DezeredezMainWinState = TWindowState::Normal;
  TWindowState DezeredezOrderWinState = TWindowState::Normal;
  TWindowState DezeredezDesignWinState = TWindowState::Normal;
  std::int32_t DezeredezDesignFormW = 0;
  std::int32_t DezeredezDesignFormH = 0;
  std::vector<std::string> PriceGroupNames;  // price groups 1 to 10
  std::string ReportLogo;
  bool UserDefineHeight = false;
  bool DebugMode = false;  // never stored
  std::string ftpHost;
  std::int32_t ftpPort = 0;
  std::string ftpUserName;
  std::string ftpPassword;
  std::string ftpDir;
  bool ftpUpload = false;

 private:
  bool Load(const TConfiguration& config);
  void LoadIni();
  void LoadRegistry();
  void SaveRegistry();
  void SaveIni();

  std::string iniFileName_;
  UserStore& store_;
  UiServices& ui_;
};

}  // namespace rxf
