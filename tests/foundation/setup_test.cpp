#include "foundation/setup.h"

#include <gtest/gtest.h>

#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/format.h"
#include "foundation/ini_file.h"
#include "foundation/recording_ui.h"
#include "messages.h"
#include "temp_home.h"

namespace rxf {
namespace {

namespace fs = std::filesystem;

class SetupTest : public TempHome {
 protected:
  void SetUp() override {
    oldFormats_ = ProcessFormats();
    SetProcessFormats(DesktopFormats());
    DeriveFolders(config_, "Test",
                  {PathText(Home() / "catalogue"), PathText(Home() / "server"),
                   PathText(Home() / "reports"), ""});
    fs::create_directories(Home() / "catalogue");
  }
  void TearDown() override { SetProcessFormats(oldFormats_); }

  fs::path IniPath() const { return DiskPath(config_.IniFileName); }
  void PutIni(const std::string& utf8) { Put(IniPath(), Utf8ToCp1251(utf8)); }
  std::string IniText() const { return Cp1251ToUtf8(Get(IniPath())); }

  std::unique_ptr<TrxfSetup> Create() { return std::make_unique<TrxfSetup>(config_, store_, ui_); }

  const StoreKey* SettingsKey(const StoreKey& root) const { return root.FindKey(kSettingsKey); }

  std::vector<std::string> Messages() const { return MessagesOf(ui_); }

  TConfiguration config_;
  UserStore store_{UserStore::DefaultFile()};
  RecordingUi ui_;

 private:
  FormatSettings oldFormats_;
};

TEST_F(SetupTest, AFreshFileWithOnlyTheFirmGivesTheDefaults) {
  PutIni("[Firm]\r\nName=ООО Окна\r\n");
  const auto setup = Create();
  EXPECT_TRUE(setup->Loaded);
  EXPECT_EQ(Cp1251ToUtf8(setup->Name), "ООО Окна");
  EXPECT_EQ(setup->DefMaterial, 1);
  EXPECT_EQ(setup->NDSTax, 18.0f);
  EXPECT_EQ(setup->ftpPort, 21);
  EXPECT_TRUE(setup->TotalNDS);
  EXPECT_TRUE(setup->ShowIncludingNDS);
  EXPECT_TRUE(setup->UserDefineHeight);
  EXPECT_FALSE(setup->ftpUpload);
  EXPECT_EQ(setup->PriceGrpNo, 0);
  EXPECT_EQ(setup->CurCurrency, 0);
  ASSERT_EQ(setup->PriceGroupNames.size(), 10u);
  for (int group = 1; group <= 10; ++group)
    EXPECT_EQ(setup->PriceGroupNames[group - 1], "?????? #" + std::to_string(group));
  EXPECT_FALSE(setup->DebugMode);
  EXPECT_TRUE(ui_.Entries().empty());
}

TEST_F(SetupTest, AFirstRunCreatesTheStoreKeyAndTakesTheStoreDefaults) {
  PutIni("[Firm]\r\n");
  const auto setup = Create();
  EXPECT_NE(SettingsKey(store_.Read()), nullptr);
  EXPECT_EQ(setup->DezeredezDesignFormW, 640);
  EXPECT_EQ(setup->DezeredezDesignFormH, 480);
  EXPECT_EQ(setup->DezeredezMainWinState, TWindowState::Normal);
  EXPECT_TRUE(setup->AlertIfNotFull);
  EXPECT_TRUE(setup->AutoReg);
  EXPECT_TRUE(setup->AutoOpenReg);
  EXPECT_TRUE(setup->MoveToRecycled);
  EXPECT_TRUE(setup->AutoLoadCurrency);

  setup->Save();
  const StoreKey root = store_.Read();
  const StoreKey* key = SettingsKey(root);
  EXPECT_EQ(key->ReadInteger("DezeredezDesignFormW"), 640);
  EXPECT_EQ(key->ReadInteger("DezeredezDesignFormH"), 480);
  EXPECT_EQ(key->ReadInteger("AutoReg"), 1);
  EXPECT_EQ(key->Values().size(), 10u);
}

TEST_F(SetupTest, StoredUserValuesAreRead) {
  PutIni("[Firm]\r\n");
  store_.Update([](StoreKey& root) {
    StoreKey& key = root.CreateKey(kSettingsKey);
    key.WriteInteger("DezeredezMainWinState", 2);
    key.WriteInteger("DezeredezOrderWinState", 7);
    key.WriteInteger("DezeredezDesignFormW", 800);
    key.WriteInteger("AutoReg", 0);
    key.WriteInteger("AutoLoadCurrency", 5);
  });
  const auto setup = Create();
  EXPECT_EQ(setup->DezeredezMainWinState, TWindowState::Maximized);
  EXPECT_EQ(setup->DezeredezOrderWinState, TWindowState::Normal);
  EXPECT_EQ(setup->DezeredezDesignFormW, 800);
  EXPECT_FALSE(setup->AutoReg);
  EXPECT_TRUE(setup->AutoLoadCurrency);
}

TEST_F(SetupTest, TheTaxRateLosesItsBlanksAndMustBeANumber) {
  struct Case {
    const char* name;
    std::string entry;
    float rate;
  } cases[] = {
      {"blank inside", "NDSTax=1 8", 18.0f},
      {"empty", "NDSTax=", 0.0f},
      {"decimal comma", "NDSTax=19,6", 19.6f},
      {"missing", "", 18.0f},
  };
  for (const auto& c : cases) {
    PutIni("[Tax]\r\n" + c.entry + "\r\n");
    EXPECT_EQ(Create()->NDSTax, c.rate) << c.name;
  }
  for (const std::string entry : {"abc", "18.5", "1,8,", "1e39"}) {
    PutIni("[Tax]\r\nNDSTax=" + entry + "\r\n");
    EXPECT_EQ(
        ErrorText([&] { Create(); }),
        "Ставка НДС «" + entry + "» (ключ NDSTax раздела Tax файла настроек) не является числом")
        << entry;
  }
}

TEST_F(SetupTest, OtherUnparsableNumbersGiveTheirDefaults) {
  PutIni(
      "[Defaults]\r\nDefMaterial=x\r\nDefProfWidth=1e39\r\nDefFalzType=3\r\n"
      "DefProfThickness=1.5\r\nUserDefineHeight=no\r\n[FTP]\r\nftpPort=abc\r\n");
  const auto setup = Create();
  EXPECT_EQ(setup->DefMaterial, 1);
  EXPECT_EQ(setup->DefProfWidth, 0.0f);
  EXPECT_EQ(setup->DefProfThickness, 0.0f);
  EXPECT_EQ(setup->DefFalzType, 3);
  EXPECT_TRUE(setup->UserDefineHeight);
  EXPECT_EQ(setup->ftpPort, 21);
}

TEST_F(SetupTest, FtpNameAndPasswordAreStoredAsHexadecimalBytes) {
  PutIni("[FTP]\r\nftpUserName=6a6B\r\nftpPassword=6162f\r\n");
  const auto setup = Create();
  EXPECT_EQ(setup->ftpUserName, "jk");
  EXPECT_EQ(setup->ftpPassword, "ab\x0F");
  setup->ftpUserName = "abc";
  setup->ftpPassword = "Пароль"_w;
  setup->Save();
  const IniFile ini = ReadIniFile(IniPath());
  EXPECT_EQ(ini.ReadString("FTP", "ftpUserName", ""), "616263");
  EXPECT_EQ(ini.ReadString("FTP", "ftpPassword", ""), "CFE0F0EEEBFC");
  EXPECT_EQ(Create()->ftpPassword, std::string("Пароль"_w));
}

TEST_F(SetupTest, SavingWritesItsOwnEntriesAndLeavesTheReadOnlyOnesAsTheFileHasThem) {
  const std::string readOnly =
      "[Tax]\r\nTotalNDS = 0\r\nPriceGrpNo=4\r\n"
      "[PriceGroupNames]\r\n1=Опт\r\n"
      "[Defaults]\r\nDefFurnSysGroup=1\r\nUserDefineHeight=0\r\n"
      "[Report]\r\nLogo=logo.bmp\r\n";
  PutIni("; общий файл\r\n" + readOnly);
  const auto setup = Create();
  setup->TotalNDS = true;
  setup->PriceGrpNo = 9;
  setup->PriceGroupNames[0] = "Другое"_w;
  setup->DefFurnSysGroup = 0;
  setup->UserDefineHeight = true;
  setup->ReportLogo = "other.bmp";
  setup->Name = "ООО Рамы"_w;
  setup->DefFurnSys = "1204";
  setup->DefProfWidth = 68.5f;
  setup->NDSTax = 20;
  setup->ftpUpload = true;
  setup->Save();

  const std::string text = IniText();
  EXPECT_TRUE(text.starts_with("; общий файл\r\n[Tax]\r\nTotalNDS = 0\r\nPriceGrpNo=4\r\n"))
      << text;
  EXPECT_NE(text.find("[PriceGroupNames]\r\n1=Опт\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("DefFurnSysGroup=1\r\nUserDefineHeight=0\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[Report]\r\nLogo=logo.bmp\r\n"), std::string::npos) << text;

  const IniFile ini = ReadIniFile(IniPath());
  EXPECT_EQ(Cp1251ToUtf8(ini.ReadString("Firm", "Name", "")), "ООО Рамы");
  EXPECT_EQ(ini.ReadString("Firm", "BookKeeper", "missing"), "");
  EXPECT_EQ(ini.ReadString("Defaults", "DefFurnSys", ""), "1204");
  EXPECT_EQ(ini.ReadString("Defaults", "DefProfWidth", ""), "68,5");
  EXPECT_EQ(ini.ReadString("Defaults", "DefMaterial", ""), "1");
  EXPECT_EQ(ini.ReadString("Tax", "NDSTax", ""), "20");
  EXPECT_EQ(ini.ReadString("Money", "CurCurrency", ""), "0");
  EXPECT_EQ(ini.ReadString("FTP", "ftpPort", ""), "21");
  EXPECT_EQ(ini.ReadString("FTP", "ftpUpload", ""), "1");
}

TEST_F(SetupTest, SavedEntriesComeInTheirOrder) {
  PutIni("");
  const auto setup = Create();
  setup->Save();
  EXPECT_EQ(IniText(),
            "[Defaults]\r\nDefProfSys=\r\nDefInnerProfColor=\r\nDefOuterProfColor=\r\n"
            "DefFurnSys=\r\nDefFurnColor=\r\nDefHandle=\r\nDefMaterial=1\r\nDefFalzType=0\r\n"
            "DefStulpFalzType=0\r\nDefFlugelType=0\r\nDefDornType=0\r\nDefProfWidth=0\r\n"
            "DefProfThickness=0\r\n\r\n"
            "[Money]\r\nCurCurrency=0\r\n\r\n"
            "[Tax]\r\nNDSTax=18\r\n\r\n"
            "[Firm]\r\nName=\r\nLogo=\r\nAddress=\r\nJustAddress=\r\nZipCode=\r\nPhone1=\r\n"
            "Phone2=\r\nPhone3=\r\nFax=\r\nEMail=\r\nInternet=\r\nINN=\r\nAccount=\r\n"
            "Director=\r\nBookKeeper=\r\n\r\n"
            "[FTP]\r\nftpHost=\r\nftpPort=21\r\nftpUserName=\r\nftpPassword=\r\nftpDir=\r\n"
            "ftpUpload=0\r\n");
}

TEST_F(SetupTest, WithoutTheSettingsFileNothingIsReadOrCreated) {
  const auto setup = Create();
  setup->Save();
  EXPECT_FALSE(setup->Loaded);
  EXPECT_EQ(setup->ftpPort, 0);
  EXPECT_TRUE(setup->PriceGroupNames.empty());
  EXPECT_FALSE(fs::exists(store_.File()));
  EXPECT_FALSE(fs::exists(Home() / "server"));
  EXPECT_FALSE(fs::exists(IniPath()));
}

TEST_F(SetupTest, LoadingCreatesTheMissingDocumentFoldersButNotTheRegistryFolder) {
  PutIni("[Firm]\r\n");
  Create();
  for (const char* folder : {"server/Orders", "server/Recycled", "server/Archive",
                             "server/Selection", "server/Export", "reports"})
    EXPECT_TRUE(fs::is_directory(Home() / folder)) << folder;
  EXPECT_FALSE(fs::exists(Home() / "server/Registry"));
}

TEST_F(SetupTest, AStoreReadErrorKeepsTheValuesReadSoFarAndZerosTheRest) {
  PutIni("[Firm]\r\n");
  store_.Update([](StoreKey& root) {
    StoreKey& key = root.CreateKey(kSettingsKey);
    key.WriteInteger("DezeredezMainWinState", 2);
    key.WriteText("DezeredezDesignWinState", "big");
  });
  const auto setup = Create();
  EXPECT_TRUE(setup->Loaded);
  EXPECT_EQ(Messages(), std::vector<std::string>{
                            "Ошибка чтения из системного реестра!\r\n(Значение "
                            "«DezeredezDesignWinState» раздела «Vavavozur380» хранится с другим "
                            "типом данных)"});
  EXPECT_EQ(setup->DezeredezMainWinState, TWindowState::Maximized);
  EXPECT_EQ(setup->DezeredezDesignFormW, 0);
  EXPECT_FALSE(setup->AutoReg);
}

TEST_F(SetupTest, AStoreWriteErrorIsShownAndTheSettingsFileIsStillWritten) {
  PutIni("[Firm]\r\n");
  const auto setup = Create();
  fs::remove(store_.File());
  fs::create_directory(store_.File());
  setup->Name = "New";
  setup->Save();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Messages()[0].starts_with("Ошибка записи в системный реестр!\r\n(")) << Messages()[0];
  EXPECT_EQ(ReadIniFile(IniPath()).ReadString("Firm", "Name", ""), "New");
}

TEST_F(SetupTest, ASettingsFileThatCannotBeWrittenRaises) {
  PutIni("[Firm]\r\n");
  const auto setup = Create();
  fs::remove(IniPath());
  fs::create_directory(IniPath());
  EXPECT_THROW(setup->Save(), Error);
}

TEST(Setup, FirmPhonesMakeOneLine) {
  struct Case {
    const char* name;
    std::string zip, phone1, phone2, phone3, fax;
    std::string line;
  } cases[] = {
      {"all", "495", "1", "2", "3", "4", "495 1,2,3,4"},
      {"gaps", "495", "", "2", "", "4", "495 2,4"},
      {"fax only", "495", "", "", "", "4", "495 4"},
      {"no city code", "", "1", "2", "", "", " 1,2"},
      {"none", "495", "", "", "", "", ""},
  };
  TConfiguration noFile;
  UserStore store("/nonexistent/user-store.json");
  RecordingUi ui;
  for (const auto& c : cases) {
    TrxfSetup setup(noFile, store, ui);
    setup.ZipCode = c.zip;
    setup.Phone1 = c.phone1;
    setup.Phone2 = c.phone2;
    setup.Phone3 = c.phone3;
    setup.Fax = c.fax;
    EXPECT_EQ(setup.GetFirmPhones(), c.line) << c.name;
  }
}

}  // namespace
}  // namespace rxf
