#include "catalogue/schema.h"

#include <array>

namespace rxf {

namespace {

using T = ColumnType;

constexpr ColumnDef Str(std::string_view name, int size) {
  return {name, T::String, size};
}
constexpr ColumnDef Small(std::string_view name) {
  return {name, T::SmallInt};
}
constexpr ColumnDef Int(std::string_view name) {
  return {name, T::Integer};
}
constexpr ColumnDef AutoInc(std::string_view name) {
  return {name, T::AutoInc};
}
constexpr ColumnDef Bcd(std::string_view name, int decimals) {
  return {name, T::Bcd, decimals};
}
constexpr ColumnDef Cur(std::string_view name) {
  return {name, T::Currency};
}

constexpr ColumnDef kColorSet[] = {Str("Color", 10), Str("Name", 30)};
constexpr std::string_view kColorSetKey[] = {"Color"};

constexpr ColumnDef kCurrency[] = {Small("ID"),
                                   Str("Name", 5),
                                   Bcd("Value", 4),
                                   Small("Dec"),
                                   Str("Nominative", 35),
                                   Str("Genitive", 35),
                                   Str("GenitivePlural", 35),
                                   Small("Gender"),
                                   Str("DecNominative", 35),
                                   Str("DecGenitive", 35),
                                   Str("DecGenitivePlural", 35),
                                   Small("DecGender")};
constexpr std::string_view kIdOnly[] = {"ID"};

constexpr ColumnDef kPriceGrp[] = {Small("GroupID"),   Str("Name", 20),    Bcd("Reduce_1", 2),
                                   Bcd("Reduce_2", 2), Bcd("Reduce_3", 2), Bcd("Reduce_4", 2),
                                   Bcd("Reduce_5", 2), Bcd("Reduce_6", 2), Bcd("Reduce_7", 2),
                                   Bcd("Reduce_8", 2), Bcd("Reduce_9", 2), Bcd("Reduce_10", 2)};
constexpr std::string_view kGroupId[] = {"GroupID"};

constexpr ColumnDef kSysList[] = {Str("ID", 10),        Small("Group"), Str("Name", 50),
                                  Str("ShortName", 30), Small("Use"),   Int("CommonGrp"),
                                  Str("BaseColor", 10)};

constexpr ColumnDef kSysColor[] = {Str("ID", 10), Str("System", 10), Str("Article", 20)};
constexpr std::string_view kSysColorKey[] = {"ID", "System"};

constexpr ColumnDef kSysProp[] = {Int("ID"),          Str("GroupName", 30), Str("ValueName", 50),
                                  Small("Printable"), Small("Use"),         Str("PrintName", 100)};

constexpr ColumnDef kSysProf[] = {Str("SchlSysID", 10), Str("FurnSysID", 10), Str("Name", 50)};
constexpr std::string_view kSchlSysId[] = {"SchlSysID"};

constexpr ColumnDef kCatalog[] = {Str("ID", 30),
                                  Small("Group"),
                                  Str("System", 10),
                                  Str("FrontColor", 10),
                                  Str("Article", 20),
                                  Str("ProdArticle", 20),
                                  Str("ProdArticle2", 20),
                                  Str("ProdArticle3", 20),
                                  Small("UseArticle"),
                                  Str("GOST", 40),
                                  Str("Name", 100),
                                  Str("ShortName", 50),
                                  Str("Unit", 10),
                                  Str("AltUnit_1", 10),
                                  Str("AltUnit_2", 10),
                                  Bcd("Coef", 6),
                                  Bcd("AltCoef_1", 6),
                                  Bcd("AltCoef_2", 6),
                                  Small("Integer"),
                                  Small("AltInteger_1"),
                                  Small("AltInteger_2"),
                                  Small("RoundedTotal"),
                                  Int("MinLength"),
                                  Int("MinWidth"),
                                  Int("MinHeight"),
                                  Int("MaxLength"),
                                  Int("MaxWidth"),
                                  Int("MaxHeight"),
                                  Small("Thickness"),
                                  Bcd("Weight", 2),
                                  Bcd("Volume", 2),
                                  Bcd("MinTrade", 2),
                                  Small("CutAvailable"),
                                  Small("CalcPrinciple"),
                                  Small("DustGrp"),
                                  Cur("Price"),
                                  Int("PriceList"),
                                  Small("PriceMethod"),
                                  Small("PriceGrp"),
                                  Small("CustomGrp"),
                                  Small("Currency"),
                                  Small("GetCustom"),
                                  Small("GetNDS"),
                                  Small("Use"),
                                  Int("ScreenColor"),
                                  Small("CommonUse"),
                                  Small("Virtual"),
                                  Small("SizeToSquare"),
                                  Bcd("ArcPriceCoef", 2),
                                  Bcd("NotStdPriceCoef", 2),
                                  Bcd("CombinePriceCoef", 2),
                                  Small("IncludeToComp"),
                                  Small("GarantGrp"),
                                  Small("Laminating"),
                                  Str("Reserve1", 30),
                                  Str("Reserve2", 30),
                                  Str("Mark", 10),
                                  Str("PrintGroup", 20),
                                  Small("SingleLam"),
                                  Str("Export", 255),
                                  Int("SubSetID"),
                                  Bcd("LamSqExt", 8),
                                  Bcd("LamSqInn", 8),
                                  Bcd("LamSqFull", 8),
                                  Small("AutoChange"),
                                  Small("LenToSquare"),
                                  Int("SinkDeltaW"),
                                  Int("SinkDeltaL")};

constexpr ColumnDef kMaterial[] = {Int("ID"), Str("Name", 50)};

constexpr ColumnDef kParamList[] = {Int("ID"),          Small("Group"),    Str("Name", 30),
                                    Small("FalzLuft"),  Small("FalzSize"), Small("FalzPos"),
                                    Bcd("DornMass", 1), Small("OpenType"), Small("StulpType")};

constexpr ColumnDef kFrnComp[] = {
    Str("ID", 30),      Small("Group"),         Small("SubGroup"),         Small("Kipp"),
    Str("Name", 100),   Str("SymmetricID", 30), Str("MultiSysID", 30),     Small("Image"),
    Small("MaxWeight"), Int("ScrColor"),        Small("TFlugelAvailable"), Small("Use"),
    Int("CommonGrp"),   Small("Direct"),        Str("HingeT", 30),         Str("HingeB", 30),
    Str("HingeC", 30),  Str("Note", 100),       Small("Printable"),        Str("PrintName", 100),
    Str("Alert", 255),  Int("PropKey"),         Int("DispHingeNum"),       Small("CompectImage"),
    Int("Material")};

constexpr ColumnDef kFrnSide[] = {
    Str("ID", 30),       Small("Side"),       Small("MinSize"),       Small("MaxSize"),
    Bcd("MinAngle", 2),  Bcd("MaxAngle", 2),  Small("MinRadius"),     Small("MaxRadius"),
    Small("FullRadius"), Small("HalfRadius"), Small("EllipseRadius"), Small("OpenMode"),
    Small("RotSide"),    Small("Handled"),    Small("HandleDirect"),  Small("Banded"),
    Small("Drived")};
constexpr std::string_view kFrnSideKey[] = {"ID", "Side"};

constexpr ColumnDef kFrnItem[] = {
    Str("ID", 30),        Str("Name", 70),         Small("HasDornMass"),    Small("HasProfSys"),
    Small("CheckWeight"), Small("HasColor"),       Small("HasFalzLuft"),    Small("HasFalzSize"),
    Small("HasFalzPos"),  Small("CheckThickness"), Small("CheckProfWidth"), Small("CheckStulpType"),
    Small("CheckDirect"), Small("Virtual"),        Int("CommonGrp")};

constexpr ColumnDef kFrnSet[] = {Str("ID", 30),
                                 Str("Item", 30),
                                 AutoInc("Key"),
                                 Int("PropKey"),
                                 Small("Number"),
                                 Small("Side1No"),
                                 Small("Side2No"),
                                 Small("AngleNo"),
                                 Small("FFBMin"),
                                 Small("FFBMax"),
                                 Small("FFHMin"),
                                 Small("FFHMax"),
                                 Small("FFL1No"),
                                 Small("FFL1Min"),
                                 Small("FFL1Max"),
                                 Small("FFL2No"),
                                 Small("FFL2Min"),
                                 Small("FFL2Max"),
                                 Small("FFL21No"),
                                 Small("FFL21Min"),
                                 Small("FFL21Max"),
                                 Small("FFL22No"),
                                 Small("FFL22Min"),
                                 Small("FFL22Max"),
                                 Small("FFANo"),
                                 Bcd("FFAMin", 2),
                                 Bcd("FFAMax", 2),
                                 Small("FFR1No"),
                                 Small("FFR1Min"),
                                 Small("FFR1Max"),
                                 Small("FFR1Type"),
                                 Small("FFR2No"),
                                 Small("FFR2Min"),
                                 Small("FFR2Max"),
                                 Small("FFR2Type"),
                                 Small("Condition"),
                                 Small("ScaleCondition"),
                                 Small("ScaleStep"),
                                 Small("ScaleStart"),
                                 Small("ScaleNum"),
                                 Str("ScaleScheme", 50),
                                 Small("ColorCondition"),
                                 Small("DefineHandleHeight"),
                                 Small("StulpType"),
                                 Small("Required"),
                                 Str("Note", 100),
                                 Str("AlertIfNoArt", 100),
                                 Str("AlertIfIgnore", 100),
                                 Str("UseIfArt", 30),
                                 Int("HandleSideNo"),
                                 Int("UseLen"),
                                 Str("LenFormula", 100),
                                 Int("MinLen"),
                                 Int("ItemSideNo"),
                                 Int("HandleMin"),
                                 Int("HandleMax")};
constexpr std::string_view kFrnSetKey[] = {"ID", "Item", "Key"};

constexpr ColumnDef kFrnArt[] = {
    Str("ID", 30),         Str("CatalogID", 30),  AutoInc("Key"),        Small("FalzLuft"),
    Small("FalzSize"),     Small("FalzPos"),      Bcd("DornMassMin", 2), Bcd("DornMassMax", 2),
    Small("HandleMin"),    Small("HandleMax"),    Small("HandleHeight"), Bcd("WeightMin", 2),
    Bcd("WeightMax", 2),   Small("ThicknessMin"), Small("ThicknessMax"), Small("ProfWidthMin"),
    Small("ProfWidthMax"), Str("ProfSys", 10),    Small("FFBMin"),       Small("FFBMax"),
    Small("FFHMin"),       Small("FFHMax"),       Small("FFL1Min"),      Small("FFL1Max"),
    Small("FFL2Min"),      Small("FFL2Max"),      Bcd("FFAMin", 2),      Bcd("FFAMax", 2),
    Small("FFR1Min"),      Small("FFR1Max"),      Small("FFR2Min"),      Small("FFR2Max"),
    Str("Color", 10),      Small("StulpType"),    Small("Direct")};
constexpr std::string_view kFrnArtKey[] = {"ID", "CatalogID", "Key"};
constexpr std::string_view kFrnArtIndexed[] = {"ID", "CatalogID"};

constexpr ColumnDef kFrnSchl[] = {Str("CatalogID", 30), Str("Item", 30),          AutoInc("Key"),
                                  Small("Number"),      Small("StulpType"),       Int("PropKey"),
                                  Int("ItemSideNo"),    Str("ItemComplectID", 30)};
constexpr std::string_view kCatalogIdKey[] = {"CatalogID", "Key"};
constexpr std::string_view kCatalogId[] = {"CatalogID"};

constexpr ColumnDef kFrnDop[] = {Str("CatalogID", 30), Str("AccessoryID", 30),   AutoInc("Key"),
                                 Small("Number"),      Int("PropKey"),           Small("StulpType"),
                                 Int("ItemSideNo"),    Str("ItemComplectID", 30)};

constexpr ColumnDef kFrnAbd[] = {Str("CatalogID", 30),   Str("Color", 10),
                                 Str("AccessoryID", 30), Small("Number"),
                                 Int("ItemSideNo"),      Str("ItemComplectID", 30)};

constexpr ColumnDef kFrnProp[] = {Int("ID"), Int("PropKey"), Small("Default")};
constexpr std::string_view kPropKey[] = {"PropKey"};

constexpr ColumnDef kFrnItoI[] = {
    Str("ID", 30),     Str("Item", 30),          Int("PropKey"),
    Small("Number"),   Small("StulpType"),       Small("ColorCondition"),
    Small("Required"), Str("AlertIfNoArt", 100), Str("AlertIfIgnore", 100),
    Str("Note", 100),  Int("ItemSideNo")};

constexpr std::span<const std::string_view> kNone;

// Indexed by CatalogueTable.
constexpr std::array<TableSchema, kCatalogueTableCount> kSchema = {{
    {"COLORSET", kColorSet, kColorSetKey, kNone, kColorSetKey},
    {"Currency", kCurrency, kNone, kNone, kIdOnly},
    {"PriceGrp", kPriceGrp, kNone, kNone, kGroupId},
    {"SysList", kSysList, kIdOnly, kNone, kIdOnly},
    {"SysColor", kSysColor, kSysColorKey, kNone, kSysColorKey},
    {"SysProp", kSysProp, kNone, kNone, kIdOnly},
    {"SysProf", kSysProf, kNone, kNone, kSchlSysId},
    {"Catalog", kCatalog, kIdOnly, kNone, kIdOnly},
    {"Material", kMaterial, kNone, kNone, kIdOnly},
    {"ParamList", kParamList, kIdOnly, kNone, kIdOnly},
    {"FrnComp", kFrnComp, kIdOnly, kNone, kIdOnly},
    {"FrnSide", kFrnSide, kFrnSideKey, kFrnSideKey, kIdOnly},
    {"FrnItem", kFrnItem, kNone, kNone, kIdOnly},
    {"FrnSet", kFrnSet, kFrnSetKey, kFrnSetKey, kIdOnly},
    {"FrnArt", kFrnArt, kFrnArtKey, kFrnArtKey, kFrnArtIndexed},
    {"FrnSchl", kFrnSchl, kNone, kCatalogIdKey, kCatalogId},
    {"FrnDop", kFrnDop, kNone, kCatalogIdKey, kCatalogId},
    {"FrnAbd", kFrnAbd, kNone, kCatalogId, kCatalogId},
    {"FrnProp", kFrnProp, kNone, kNone, kPropKey},
    {"FrnItoI", kFrnItoI, kNone, kNone, kIdOnly},
}};

}  // namespace

std::span<const TableSchema> CatalogueSchema() {
  return kSchema;
}

const TableSchema& SchemaOf(CatalogueTable table) {
  return kSchema[static_cast<std::size_t>(table)];
}

}  // namespace rxf
