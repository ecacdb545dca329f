// Position records of every file version, built slot by slot from the record layouts.
#include <gtest/gtest.h>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/recording_ui.h"
#include "foundation/spec_stream.h"
#include "foundation/version.h"
#include "model/construction.h"
#include "model/furn_comp.h"
#include "model/mat_list_item.h"
#include "model/slot_bytes.h"

namespace rxf {
namespace {

using test::SlotBytes;

bool From(std::string_view version, std::string_view gate) {
  return VersionNotOlder(version, gate);
}

void AppendItem(SlotBytes& bytes, std::string_view version) {
  bytes.Text("A-100").Real(1250.5f).Integer(3);
  if (From(version, "06.10.2015"))
    bytes.Text("history");
  if (From(version, "03.03.2019"))
    bytes.Text("comment");
  if (From(version, "26.12.2019"))
    bytes.Integer(2).Integer(0).Integer(0).Integer(0).Text("DK-L");
}

void AppendKit(SlotBytes& bytes, std::string_view version) {
  bytes.Text("1204").Text("P58").Text("9016").Text("DK-L").Text("HINGE").Text("H1");
  bytes.Integer(1050).Boolean(true);
  bytes.Text("LOCK").Text("CYL").Text("DRIVE").Text("LATCH");
  for (std::int32_t value : {5, 6, 7, 8, -1, 111, 222, 333, 0})
    bytes.Integer(value);
  bytes.Text("0=1231\r\n1=1302\r\n").Text("ADD1\r\n");
  bytes.Integer(1);
  AppendItem(bytes, version);
}

void AppendMatLine(SlotBytes& bytes) {
  bytes.Text("A-100").Real(3.75f).Currency(12345).Real(0).Currency(0).Currency(12345).Currency(
      46294);
}

// Flugel1: the 700 x 1400 rectangle with a handle on side 1, a kit and one material line.
void AppendFirstSash(SlotBytes& bytes, std::string_view version) {
  bytes.Integer(4);
  for (auto [x, y] : {std::pair{0, 14000}, {0, 0}, {7000, 0}, {7000, 14000}})
    bytes.Integer(x).Integer(y);
  bytes.Integer(4);
  for (int side = 0; side < 4; ++side) {
    const bool handled = side == 0;
    bytes.Real(side == 1 ? 3500.5f : 0).Real(side == 1 ? 3500.5f : 0);
    bytes.Real(side == 1 ? 3500 : 0).Real(side == 1 ? 0.25f : 0);
    bytes.Boolean(side == 2).Integer(side == 2 ? 0 : -1);
    bytes.Boolean(handled).Boolean(side == 2).Boolean(false);
    bytes.Integer(handled ? 500 : 0).Integer(handled ? 10 : 0).Integer(handled ? 9000 : 0);
  }
  if (From(version, "23.07.2019"))
    bytes.Integer(201);
  bytes.Boolean(true);
  AppendKit(bytes, version);
  bytes.Integer(1);
  AppendMatLine(bytes);
}

void AppendEmptySash(SlotBytes& bytes, std::string_view version) {
  bytes.Integer(0).Integer(0);
  if (From(version, "23.07.2019"))
    bytes.Integer(0);
  bytes.Boolean(false).Integer(0);
}

std::string PositionBytes(std::string_view version) {
  SlotBytes bytes;
  bytes.Boolean(true).Text("1").Text("\xCE\xEA\xED\xEE").Integer(2).Byte(1);
  bytes.Text("1204").Text("P58").Text("9016");
  if (!From(version, "10.12.2009"))
    bytes.Text("old1").Text("old2");
  bytes.Integer(101);
  if (!From(version, "23.07.2019"))
    bytes.Integer(205);
  bytes.Integer(301).Real(68.5f).Real(0).Integer(401).Currency(1234500);
  bytes.Text("first\r\nsecond\r\n").Byte(2);
  AppendFirstSash(bytes, version);
  AppendEmptySash(bytes, version);
  return bytes.Bytes();
}

struct Expected {
  const char* version;
  std::int32_t dornType;
  bool history, comment, sideAndKit;
};

void CheckPosition(const TrxfConstruction& p, const Expected& e) {
  SCOPED_TRACE(e.version);
  EXPECT_TRUE(p.Included);
  EXPECT_EQ(p.PosNo, "1");
  EXPECT_EQ(Cp1251ToUtf8(p.PosName), "Окно");
  EXPECT_EQ(p.Number, 2);
  EXPECT_EQ(p.ObjectType, 1);
  EXPECT_EQ(p.FurnSys, "1204");
  EXPECT_EQ(p.ProfSys, "P58");
  EXPECT_EQ(p.FurnColor, "9016");
  EXPECT_EQ(p.FalzType, 101);
  EXPECT_EQ(p.StulpFalzType, 301);
  EXPECT_FLOAT_EQ(p.ProfWidth, 68.5f);
  EXPECT_EQ(p.FlugelType, 401);
  EXPECT_EQ(p.Price, Money::FromTicks(1234500));
  EXPECT_EQ(p.Note, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(p.FlugelMode, 2);

  const TrxfFlugel& sash = *p.Flugel1;
  ASSERT_EQ(sash.Points.size(), 4u);
  EXPECT_EQ(sash.Points[2]->X, 7000);
  ASSERT_EQ(sash.Lines.size(), 4u);
  EXPECT_EQ(sash.Lines[3]->StartPoint, sash.Points[3].get());
  EXPECT_EQ(sash.Lines[3]->EndPoint, sash.Points[0].get());
  const TrxfLine& top = *sash.Lines[1];
  EXPECT_FLOAT_EQ(top.Radius, 3500.5f);
  EXPECT_FLOAT_EQ(top.CenterY, 0.25f);  // arc centres come from the file
  EXPECT_EQ(sash.Lines[0]->OpenTarget, -1);
  EXPECT_TRUE(sash.Lines[2]->OpenMark);
  EXPECT_TRUE(sash.Lines[2]->Banded);
  EXPECT_EQ(sash.HandleLineIndex(), 0);
  EXPECT_EQ(sash.Lines[0]->HandleHeight, 500);
  EXPECT_EQ(sash.Lines[0]->HandleY, 9000);
  EXPECT_EQ(sash.DornType, e.dornType);
  EXPECT_EQ(p.Flugel2->DornType, e.dornType == 201 ? 0 : e.dornType);

  ASSERT_NE(sash.FurnComp, nullptr);
  const TrxfFurnComp& kit = *sash.FurnComp;
  EXPECT_EQ(kit.ComplectID, "DK-L");
  EXPECT_EQ(kit.HingeID, "HINGE");
  EXPECT_EQ(kit.HandleID, "H1");
  EXPECT_EQ(kit.HandleHeight, 1050);
  EXPECT_TRUE(kit.UserDefineHeight);
  EXPECT_EQ(kit.LatchID, "LATCH");
  EXPECT_EQ(kit.ComplectImage, 5);
  EXPECT_EQ(kit.SpareImage, -1);
  EXPECT_EQ(kit.DriveColor, 333);
  EXPECT_EQ(kit.Properties, (std::vector<std::string>{"0=1231", "1=1302"}));
  EXPECT_EQ(kit.AddComplects, (std::vector<std::string>{"ADD1"}));
  ASSERT_EQ(kit.Items.size(), 1u);
  const TrxfFurnItem& item = *kit.Items[0];
  EXPECT_EQ(item.Article, "A-100");
  EXPECT_FLOAT_EQ(item.Length, 1250.5f);
  EXPECT_EQ(item.Count, 3);
  EXPECT_EQ(item.History, e.history ? "history" : "");
  EXPECT_EQ(item.Comment, e.comment ? "comment" : "");
  EXPECT_EQ(item.SideNo, e.sideAndKit ? 2 : 0);
  EXPECT_EQ(item.ParentComplect, e.sideAndKit ? "DK-L" : "");
  EXPECT_EQ(item.FurnComp, &kit);

  ASSERT_EQ(sash.MatList.size(), 1u);
  EXPECT_FLOAT_EQ(sash.MatList[0]->Number, 3.75f);
  EXPECT_EQ(sash.MatList[0]->Cost, Money::FromTicks(46294));
  EXPECT_TRUE(p.Flugel2->Points.empty());
  EXPECT_EQ(p.Flugel2->FurnComp, nullptr);
}

constexpr Expected kVersions[] = {
    {"26.12.2019", 201, true, true, true},
    {"01.01.2019", 205, true, false, false},
    {"05.10.2015", 205, false, false, false},
    {"09.12.2009", 205, false, false, false},
};

TEST(PositionRecord, EveryVersionLoadsThroughItsGates) {
  for (const Expected& e : kVersions) {
    RecordingUi ui;
    TSpecStream stream(ui, PositionBytes(e.version));
    TrxfConstruction position;
    position.Load(stream, e.version);
    EXPECT_EQ(stream.Position(), stream.Size()) << e.version;
    CheckPosition(position, e);
    EXPECT_TRUE(ui.Entries().empty());
  }
}

TEST(PositionRecord, SavingWritesTheCurrentLayoutExactly) {
  RecordingUi ui;
  TSpecStream source(ui, PositionBytes(kOrderFileVersion));
  TrxfConstruction position;
  position.Load(source, kOrderFileVersion);
  TSpecStream saved(ui);
  position.Save(saved);
  EXPECT_EQ(saved.Content(), PositionBytes(kOrderFileVersion));
}

TEST(PositionRecord, OlderFilesAreWrittenBackInTheCurrentLayout) {
  RecordingUi ui;
  TSpecStream source(ui, PositionBytes("09.12.2009"));
  TrxfConstruction position;
  position.Load(source, "09.12.2009");
  TSpecStream saved(ui);
  position.Save(saved);
  saved.Rewind();
  TrxfConstruction reloaded;
  reloaded.Load(saved, kOrderFileVersion);
  CheckPosition(reloaded, {"09.12.2009 resaved", 205, false, false, false});
  EXPECT_EQ(reloaded.Flugel2->DornType, 205);
}

TEST(PositionRecord, SnapshotRestoresTheKitsOfTheBackup) {
  RecordingUi ui;
  TrxfConstruction position;
  position.FlugelMode = 0;
  position.SetShape({.Width = 1200, .Height = 1400, .SizeX = 600, .SizeY = 600}, 201);
  position.Flugel1->FurnComp = std::make_unique<TrxfFurnComp>(position.Flugel1.get());
  position.Flugel1->FurnComp->ComplectID = "DK-L";
  TSpecStream backup(ui);
  position.Backup(backup);

  position.Flugel1->FurnComp.reset();
  position.Flugel2->FurnComp = std::make_unique<TrxfFurnComp>(position.Flugel2.get());
  position.Restore(backup);
  ASSERT_NE(position.Flugel1->FurnComp, nullptr);
  EXPECT_EQ(position.Flugel1->FurnComp->ComplectID, "DK-L");
  EXPECT_EQ(position.Flugel1->FurnComp->Flugel, position.Flugel1.get());
  EXPECT_EQ(position.Flugel2->FurnComp, nullptr);

  TrxfConstruction copy;
  copy.Assign(position, ui);
  EXPECT_EQ(copy.Flugel2->Points.size(), 4u);
  EXPECT_EQ(copy.Flugel1->FurnComp->ComplectID, "DK-L");
}

TEST(PositionRecord, DamagedDataRaisesTheOperationsMessage) {
  RecordingUi ui;
  std::string bytes = PositionBytes(kOrderFileVersion);
  TSpecStream cut(ui, bytes.substr(0, bytes.size() / 2));
  TrxfConstruction position;
  try {
    position.Restore(cut);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_TRUE(Cp1251ToUtf8(e.what()).starts_with(
        "Ошибка восстановления объекта из резервной копии!\r\n("));
  }
  // A damaged vertex count must not build millions of empty vertices.
  SlotBytes huge;
  huge.Boolean(true).Text("").Text("").Integer(0).Byte(0).Text("").Text("").Text("");
  huge.Integer(0).Integer(0).Real(0).Real(0).Integer(0).Currency(0).Text("").Byte(2);
  huge.Integer(2000000000);
  TSpecStream damaged(ui, huge.Bytes());
  EXPECT_THROW(position.Load(damaged, kOrderFileVersion), Error);
}

TEST(MatLine, CopyKeepsEveryValue) {
  RecordingUi ui;
  TrxfMatListItem line;
  line.ID = "A-100";
  line.Number = 2.5f;
  line.BasePrice = line.Price = Money::FromTicks(12345);
  line.Cost = Money::FromTicks(30862);
  const auto copy = CopyMatLine(line, ui);
  EXPECT_EQ(copy->ID, "A-100");
  EXPECT_FLOAT_EQ(copy->Number, 2.5f);
  EXPECT_EQ(copy->BasePrice, line.BasePrice);
  EXPECT_EQ(copy->Price, line.Price);
  EXPECT_EQ(copy->Cost, line.Cost);
  EXPECT_EQ(copy->Discount, Money());
  EXPECT_EQ(copy->ReservedReal, 0);
  EXPECT_TRUE(ui.Entries().empty());
}

}  // namespace
}  // namespace rxf
