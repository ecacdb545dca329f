#include "model/construction.h"

#include <gtest/gtest.h>

#include <cmath>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/recording_ui.h"
#include "foundation/spec_stream.h"
#include "model/furn_comp.h"

namespace rxf {
namespace {

std::unique_ptr<TrxfConstruction> Position(std::uint8_t flugelMode, TShapeParams shape) {
  auto position = std::make_unique<TrxfConstruction>();
  position->FlugelMode = flugelMode;
  position->SetShape(shape, 201);
  return position;
}

std::unique_ptr<TrxfConstruction> Rectangle(float radius = 0) {
  return Position(2, {.Width = 700, .Height = 1400, .Radius = radius, .Radius2 = radius});
}

std::vector<TIntPoint> Vertices(const TrxfFlugel& flugel) {
  std::vector<TIntPoint> vertices;
  for (const auto& p : flugel.Points)
    vertices.push_back({p->X, p->Y});
  return vertices;
}

TEST(Construction, RectangleContourAndMeasures) {
  const auto position = Rectangle();
  const TrxfFlugel& sash = *position->Flugel1;
  EXPECT_EQ(Vertices(sash), (std::vector<TIntPoint>{{0, 14000}, {0, 0}, {7000, 0}, {7000, 14000}}));
  std::int32_t width = 0, height = 0;
  sash.GetSize(width, height);
  EXPECT_EQ(width, 700);
  EXPECT_EQ(height, 1400);
  EXPECT_FLOAT_EQ(sash.Lines[0]->Length(), 1400);
  EXPECT_FLOAT_EQ(sash.Lines[1]->Length(), 700);
  EXPECT_EQ(sash.Lines[0]->Orientation(), 1);
  EXPECT_EQ(sash.Lines[1]->Orientation(), 0);
  EXPECT_DOUBLE_EQ(sash.Lines[0]->Direction(), 90);
  for (std::size_t i = 0; i < 4; ++i)
    EXPECT_DOUBLE_EQ(sash.GetAngle(i), 90) << i;
  EXPECT_EQ(sash.DornType, 201);
  EXPECT_TRUE(position->Flugel2->Points.empty());
  for (const auto& line : sash.Lines)
    EXPECT_EQ(line->OpenTarget, 0);
}

TEST(Construction, SemicircularTopRaisesTheSashByItsRise) {
  const auto position = Rectangle(350);
  const TrxfFlugel& sash = *position->Flugel1;
  const TrxfLine& top = *sash.Lines[1];
  EXPECT_TRUE(top.IsArc());
  EXPECT_TRUE(top.IsFullRadius());
  EXPECT_FALSE(top.IsHalfRadius());
  EXPECT_FALSE(top.IsEllipse());
  EXPECT_FLOAT_EQ(top.CenterX, 3500);
  EXPECT_FLOAT_EQ(top.CenterY, 0);
  EXPECT_FLOAT_EQ(top.Length(), 700);
  std::int32_t width = 0, height = 0;
  sash.GetSize(width, height);
  EXPECT_EQ(width, 700);
  EXPECT_EQ(height, 1750);
  TIntPoint topLeft, bottomRight;
  sash.GetBounds(topLeft, bottomRight);
  EXPECT_EQ(topLeft, (TIntPoint{0, -350}));
  EXPECT_EQ(bottomRight, (TIntPoint{700, 1400}));
  // The straight sides meet the semicircle along its tangent.
  EXPECT_DOUBLE_EQ(sash.GetAngle(1), 180);
  EXPECT_DOUBLE_EQ(sash.GetAngle(2), 180);
}

TEST(Construction, FlatterArcAndEllipse) {
  const auto flatter = Rectangle(500);
  EXPECT_TRUE(flatter->Flugel1->Lines[1]->IsHalfRadius());
  const auto ellipse = Position(2, {.Width = 700, .Height = 1400, .Radius = 350, .Radius2 = 200});
  EXPECT_TRUE(ellipse->Flugel1->Lines[1]->IsEllipse());
  EXPECT_FALSE(ellipse->Flugel1->Lines[1]->IsArc());
}

TEST(Construction, ShapesBuildTheirContours) {
  struct Case {
    std::uint8_t shape;
    std::vector<TIntPoint> vertices;
  } cases[] = {
      {3, {{0, 10000}, {0, 6000}, {8000, 0}, {8000, 10000}}},
      {4, {{0, 10000}, {0, 0}, {8000, 6000}, {8000, 10000}}},
      {5, {{0, 10000}, {8000, 0}, {8000, 10000}}},
      {6, {{0, 10000}, {0, 0}, {8000, 10000}}},
      {7, {{0, 10000}, {0, 4000}, {8000, 4000}, {8000, 10000}}},
      {1, {{0, 10000}, {0, 0}, {8000, 0}, {8000, 10000}}},
  };
  for (const auto& c : cases) {
    const auto position =
        Position(2, {.Width = 800, .Height = 1000, .Shape = c.shape, .SizeX = 400});
    EXPECT_EQ(Vertices(*position->Flugel1), c.vertices) << int(c.shape);
    EXPECT_EQ(position->Flugel1->Lines.size(), c.vertices.size()) << int(c.shape);
  }
}

TEST(Construction, AngleOfATriangle) {
  const auto position = Position(2, {.Width = 1000, .Height = 1000, .Shape = 5});
  const TrxfFlugel& sash = *position->Flugel1;
  EXPECT_NEAR(sash.GetAngle(0), 45, 1e-9);  // bottom left
  EXPECT_NEAR(sash.GetAngle(1), 45, 1e-9);  // top right
  EXPECT_NEAR(sash.GetAngle(2), 90, 1e-9);  // bottom right
}

TEST(Construction, HandleMarksMeasureFromTheChosenVertex) {
  const auto position = Rectangle();
  TrxfLine& left = *position->Flugel1->Lines[0];
  left.Handled = true;
  left.SetHandle(500, 0);
  EXPECT_EQ(left.HandleHeight, 500);
  EXPECT_EQ(left.HandleX, 10);
  EXPECT_EQ(left.HandleY, 9000);
  left.SetHandle(500, 1);
  EXPECT_EQ(left.HandleX, 10);
  EXPECT_EQ(left.HandleY, 5000);
  EXPECT_EQ(position->Flugel1->HandleLineIndex(), 0);
  EXPECT_EQ(position->Flugel1->GetHandleHeight(), 500);
  left.Handled = false;
  left.SetHandle(500, 0);
  EXPECT_EQ(left.HandleHeight, 0);
  EXPECT_EQ(left.HandleX, 0);
  EXPECT_EQ(left.HandleY, 0);
  EXPECT_EQ(position->Flugel1->HandleLineIndex(), -1);
  EXPECT_EQ(position->Flugel1->GetHandleHeight(), 0);
}

TEST(Construction, TwoSashesSideBySide) {
  const auto position = Position(0, {.Width = 1200, .Height = 1400, .SizeX = 600, .SizeY = 600});
  EXPECT_EQ(Vertices(*position->Flugel2),
            (std::vector<TIntPoint>{{6000, 14000}, {6000, 0}, {12000, 0}, {12000, 14000}}));
  std::int32_t width = 0, height = 0;
  position->GetSize(width, height);
  EXPECT_EQ(width, 1200);
  EXPECT_EQ(height, 1400);
  EXPECT_EQ(position->Flugel2->DornType, 201);
  EXPECT_EQ(&position->Flugel1->OtherFlugel(), position->Flugel2.get());
  EXPECT_EQ(&position->Flugel2->OtherFlugel(), position->Flugel1.get());
  EXPECT_EQ(position->Flugel1->PrevLine(position->Flugel1->Lines[0].get()),
            position->Flugel1->Lines[3].get());
}

TEST(Construction, LengthFormulas) {
  const auto position = Position(0, {.Width = 1300, .Height = 1400, .SizeX = 700, .SizeY = 600});
  TrxfFlugel& sash = *position->Flugel1;
  sash.Lines[0]->Handled = true;
  sash.Lines[0]->SetHandle(500, 0);
  position->Flugel2->Lines[2]->Handled = true;
  position->Flugel2->Lines[2]->SetHandle(650, 0);
  struct Case {
    std::string formula;
    double value;
  } cases[] = {
      {std::string("FН"_w), 1400},
      {std::string("FFН - 2*10"_w), 1380},
      {"FH", 0},
      {"FRH + FRB", 2100},
      {"FB / 2", 350},
      {"FFB", 700},
      {"ffl(2)", 700},
      {"FL(1) + FFL(3)", 2800},
      {"FFL(9)", 0},
      {"FFL(0)", 0},
      {"FFL(256)", 0},
      {"FFL('2')", 700},
      {"FFL('x')", 0},
      {"FFG(1)", 500},
      {"FG(2)", 0},
      {"FFGA(3)", 650},
      {"FGA(1)", 0},
      {"UNKNOWN(1) + 5", 5},
      {"-(FB - 100) * 1.5", -900},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(sash.CalcLength(c.formula), c.value) << Cp1251ToUtf8(c.formula);
  EXPECT_DOUBLE_EQ(Rectangle()->Flugel1->CalcLength("FFGA(1)"), 0);
}

TEST(Construction, MalformedFormulaNamesItself) {
  const auto position = Rectangle();
  try {
    position->Flugel1->CalcLength("FB * (2");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("FB * (2"), std::string::npos);
  }
}

TEST(Construction, KitWalkVisitsTheSecondSashOnce) {
  auto position = Position(0, {.Width = 1200, .Height = 1400, .SizeX = 600, .SizeY = 600});
  position->Flugel1->FurnComp = std::make_unique<TrxfFurnComp>(position->Flugel1.get());
  position->Flugel2->FurnComp = std::make_unique<TrxfFurnComp>(position->Flugel2.get());
  EXPECT_EQ(position->FirstFurnComp(), position->Flugel1->FurnComp.get());
  EXPECT_EQ(position->NextFurnComp(), position->Flugel2->FurnComp.get());
  EXPECT_EQ(position->NextFurnComp(), nullptr);
  position->FlugelMode = 2;
  EXPECT_EQ(position->FirstFurnComp(), position->Flugel1->FurnComp.get());
  EXPECT_EQ(position->NextFurnComp(), nullptr);
}

}  // namespace
}  // namespace rxf
