#include "catalogue_generator.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <stdexcept>
#include <string_view>

namespace rxf {
namespace {

namespace fs = std::filesystem;

// Sizes of one block.
constexpr int kKits = 5000;
constexpr std::size_t kRowsPerKit = 20;
constexpr int kItems = 10000;
constexpr int kCodesPerFamily = 4;  // two neighbouring items share the four codes of a family
constexpr int kFamilies = kItems / 2;
constexpr int kArticlesPerItem = 5;
constexpr int kKeepers = 100;
constexpr int kComposites = 500;
constexpr int kAccessories = 500;
constexpr int kRules = 200;

constexpr int kWide = 9999;  // the upper end of a range that does not matter
constexpr int kSystems = 20;
constexpr int kProfileSystems = 10;
constexpr int kKeeperMullions = 4;

// ---------------------------------------------------------------- random numbers

// SplitMix64: small, fast and the same on every platform.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }

 private:
  std::uint64_t state_;
};

template <typename T, std::size_t N>
const T& Pick(Rng& rng, const std::array<T, N>& values) {
  return values[static_cast<std::size_t>(rng.Below(static_cast<int>(N)))];
}

// Every entity draws from a generator of its own, so that it does not depend on the scale.
Rng EntityRng(std::uint64_t seed, char tag, std::int64_t number) {
  const auto mixed = seed ^ (std::uint64_t{static_cast<unsigned char>(tag)} << 56) ^
                     static_cast<std::uint64_t>(number);
  return Rng(Rng(mixed).Next());
}

// ---------------------------------------------------------------- CSV output

// One table file: RFC 4180 fields, LF line ends, written through a buffer.
class CsvWriter {
 public:
  // header: the column names separated by commas.
  CsvWriter(const fs::path& folder, std::string_view table, std::string_view header)
      : path_(folder / (std::string(table) + ".csv")),
        table_(table),
        columns_(static_cast<std::size_t>(std::count(header.begin(), header.end(), ',')) + 1) {
    out_.open(path_, std::ios::binary | std::ios::trunc);
    if (!out_)
      throw std::runtime_error("Cannot write " + path_.string());
    buffer_.append(header).push_back('\n');
  }

  CsvWriter& Text(std::string_view value) {
    BeginField();
    if (value.find_first_of(",\"\r\n") == std::string_view::npos) {
      buffer_ += value;
      return *this;
    }
    buffer_ += '"';
    for (char c : value) {
      if (c == '"')
        buffer_ += '"';
      buffer_ += c;
    }
    buffer_ += '"';
    return *this;
  }

  CsvWriter& Int(std::int64_t value) {
    BeginField();
    char text[24];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    buffer_.append(text, end);
    return *this;
  }

  CsvWriter& Fixed(double value, int decimals) {
    BeginField();
    char text[48];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    buffer_.append(text, end);
    return *this;
  }

  void EndRow() {
    if (field_ != columns_)
      throw std::logic_error(table_ + ": a row with the wrong number of fields");
    buffer_ += '\n';
    field_ = 0;
    ++rows_;
    if (buffer_.size() >= (1u << 20))
      Flush();
  }

  TableCount Close() {
    Flush();
    out_.close();
    if (!out_)
      throw std::runtime_error("Cannot write " + path_.string());
    return {table_, rows_};
  }

 private:
  void BeginField() {
    if (field_++ > 0)
      buffer_ += ',';
  }

  void Flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
    if (!out_)
      throw std::runtime_error("Cannot write " + path_.string());
  }

  fs::path path_;
  std::string table_;
  std::ofstream out_;
  std::string buffer_;
  std::size_t columns_;
  std::size_t field_ = 0;
  std::int64_t rows_ = 0;
};

// ---------------------------------------------------------------- identifiers

std::string Numbered(char prefix, std::int64_t number, std::size_t width) {
  const std::string digits = std::to_string(number);
  return prefix + std::string(width - std::min(width, digits.size()), '0') + digits;
}

// Global numbers of the entities of one block.
struct Block {
  int index;

  std::int64_t Kit(int k) const { return std::int64_t{index} * kKits + k; }
  std::int64_t Item(int i) const { return std::int64_t{index} * kItems + i; }
  std::int64_t Family(int f) const { return std::int64_t{index} * kFamilies + f; }
  std::int64_t Keeper(int k) const { return std::int64_t{index} * kKeepers + k; }
  std::int64_t Composite(int c) const { return std::int64_t{index} * kComposites + c; }
  std::int64_t Accessory(int a) const { return std::int64_t{index} * kAccessories + a; }
  int Rule(int r) const { return 100000 + index * kRules + r; }

  std::string KitId(int k) const { return Numbered('K', Kit(k), 7); }
  std::string ItemId(int i) const { return Numbered('E', Item(i), 7); }
  std::string CompositeId(int c) const { return Numbered('V', Composite(c), 6); }
  std::string KeeperId(int k) const { return Numbered('P', Keeper(k), 6); }
  std::string CodeId(int family, int variant) const {
    return Numbered('A', Family(family) * kCodesPerFamily + variant, 8);
  }
  std::string KeeperCode(int k, int profile, int mullion) const {
    return Numbered('B', (Keeper(k) * kProfileSystems + profile) * kKeeperMullions + mullion, 8);
  }
  std::string AccessoryCode(int a) const { return Numbered('Z', Accessory(a), 7); }
};

int SystemNumber(int s) {
  return (12 + s / 4) * 100 + 4 + 2 * (s % 4);
}
std::string ProfileSystem(int p) {
  return Numbered('S', p + 1, 2);
}

// ---------------------------------------------------------------- items and their articles

enum class ItemKind { Width, Height, Side1, Side2, Colour, Backset, Thickness, Direct, Mullion };

constexpr std::array<ItemKind, 10> kKindCycle = {
    ItemKind::Width,  ItemKind::Width,   ItemKind::Height,    ItemKind::Side1,  ItemKind::Side2,
    ItemKind::Colour, ItemKind::Backset, ItemKind::Thickness, ItemKind::Direct, ItemKind::Mullion};

ItemKind KindOf(int item) {
  return kKindCycle[static_cast<std::size_t>(item % 10)];
}

// An item whose articles are told apart without the sash's measures (usable in composites).
int PickMeasureFreeItem(Rng& rng) {
  return 10 * rng.Below(kItems / 10) + 5 + rng.Below(5);
}

struct Band {
  int min;
  int max;
};
constexpr std::array<Band, kArticlesPerItem> kSizeBands = {
    {{0, 59}, {60, 89}, {90, 119}, {120, 159}, {160, kWide}}};
constexpr std::array<Band, kArticlesPerItem> kLengthBands = {
    {{0, 599}, {600, 999}, {1000, 1399}, {1400, 1799}, {1800, kWide}}};
constexpr std::array<Band, kArticlesPerItem> kThicknessBands = {
    {{0, 59}, {60, 69}, {70, 79}, {80, 89}, {90, kWide}}};
constexpr std::array<std::array<double, 2>, kArticlesPerItem> kBacksetBands = {
    {{0, 7.49}, {7.5, 12.49}, {12.5, 24.99}, {25, 39.99}, {40, kWide}}};
constexpr std::array<int, kArticlesPerItem> kHandleHeights = {300, 450, 600, 800, 1000};
constexpr std::array<std::string_view, kArticlesPerItem> kArticleColours = {"", "9016", "8017",
                                                                            "SR", "TI"};
constexpr std::array<int, kArticlesPerItem> kMullionNumbers = {1, 2, 3, 4, 6};
constexpr std::array<int, kKeeperMullions> kKeeperMullionNumbers = {1, 2, 3, 6};
struct DirectColour {
  int direct;
  std::string_view colour;
};
constexpr std::array<DirectColour, kArticlesPerItem> kDirectColours = {
    {{1, ""}, {1, "9016"}, {2, ""}, {2, "9016"}, {2, "8017"}}};

struct ItemFlags {
  int dornMass = 0, profSys = 0, weight = 0, color = 0, falzLuft = 0, thickness = 0, profWidth = 0,
      stulp = 0, direct = 0;
};

ItemFlags FlagsOf(ItemKind kind) {
  ItemFlags flags;
  switch (kind) {
    case ItemKind::Colour:
      flags.color = flags.weight = 1;
      break;
    case ItemKind::Backset:
      flags.dornMass = flags.profWidth = 1;
      break;
    case ItemKind::Thickness:
      flags.thickness = flags.falzLuft = 1;
      break;
    case ItemKind::Direct:
      flags.direct = flags.color = 1;
      break;
    case ItemKind::Mullion:
      flags.stulp = 1;
      break;
    default:
      break;
  }
  return flags;
}

std::string_view PartName(ItemKind kind) {
  switch (kind) {
    case ItemKind::Width:
      return "Ножницы";
    case ItemKind::Height:
      return "Привод";
    case ItemKind::Side1:
      return "Средний запор";
    case ItemKind::Side2:
      return "Запор нижний";
    case ItemKind::Colour:
      return "Накладка декоративная";
    case ItemKind::Backset:
      return "Корпус запора";
    case ItemKind::Thickness:
      return "Петля на раме";
    case ItemKind::Direct:
      return "Петля на створке";
    default:
      return "Шпингалет";
  }
}

// One row of FrnArt; every range column not named here is 0..kWide.
struct ArticleRow {
  std::string item{};
  std::string code{};
  int falzLuft = 0;
  double dornMin = 0;
  double dornMax = kWide;
  int handleHeight = 0;
  Band thickness{0, kWide};
  std::string profSys{};
  Band ffb{0, kWide};
  Band ffh{0, kWide};
  Band ffl1{0, kWide};
  Band ffl2{0, kWide};
  std::string_view color{};
  int stulp = 0;
  int direct = 3;
};

ArticleRow ItemArticle(const Block& block, int item, int variant) {
  const auto v = static_cast<std::size_t>(variant);
  ArticleRow row{.item = block.ItemId(item),
                 .code = block.CodeId(item / 2, variant % kCodesPerFamily)};
  switch (KindOf(item)) {
    case ItemKind::Width:
      row.ffb = kSizeBands[v];
      break;
    case ItemKind::Height:
      row.ffh = kSizeBands[v];
      row.handleHeight = kHandleHeights[v];
      break;
    case ItemKind::Side1:
      row.ffl1 = kLengthBands[v];
      break;
    case ItemKind::Side2:
      row.ffl2 = kLengthBands[v];
      break;
    case ItemKind::Colour:
      row.color = kArticleColours[v];
      break;
    case ItemKind::Backset:
      row.dornMin = kBacksetBands[v][0];
      row.dornMax = kBacksetBands[v][1];
      break;
    case ItemKind::Thickness:
      row.thickness = kThicknessBands[v];
      row.falzLuft = 12;
      break;
    case ItemKind::Direct:
      row.direct = kDirectColours[v].direct;
      row.color = kDirectColours[v].colour;
      break;
    case ItemKind::Mullion:
      row.stulp = kMullionNumbers[v];
      break;
  }
  return row;
}

// Counter-plates: one article per counter-plate system, every fifth also per mullion number.
bool KeeperByMullion(int keeper) {
  return keeper % 5 == 0;
}

int KeeperGroup(const Block& block, int keeper) {
  const int system = SystemNumber(static_cast<int>(block.Keeper(keeper) % kSystems));
  switch (keeper % 3) {
    case 0:
      return 0;
    case 1:
      return system / 100 * 100;
    default:
      return system;
  }
}

template <typename Visit>
void ForEachKeeperArticle(const Block& block, int keeper, Visit&& visit) {
  const int mullions = KeeperByMullion(keeper) ? kKeeperMullions : 1;
  for (int p = 0; p < kProfileSystems; ++p) {
    for (int m = 0; m < mullions; ++m) {
      ArticleRow row{.item = block.KeeperId(keeper), .code = block.KeeperCode(keeper, p, m)};
      row.profSys = ProfileSystem(p);
      row.stulp = KeeperByMullion(keeper) ? kKeeperMullionNumbers[static_cast<std::size_t>(m)] : 0;
      visit(row);
    }
  }
}

// ---------------------------------------------------------------- shared tables

struct Named {
  std::string_view code;
  std::string_view name;
};
constexpr std::array<Named, 12> kColours = {{{"9016", "Белый (RAL 9016)"},
                                             {"8017", "Коричневый (RAL 8017)"},
                                             {"SR", "Серебристый"},
                                             {"TI", "Титан"},
                                             {"7016", "Антрацит (RAL 7016)"},
                                             {"9005", "Черный (RAL 9005)"},
                                             {"1015", "Слоновая кость"},
                                             {"3005", "Винный"},
                                             {"5011", "Стальной синий"},
                                             {"6005", "Зеленый мох"},
                                             {"ZD", "Золотой дуб"},
                                             {"OR", "Орех"}}};

TableCount WriteColours(const fs::path& folder) {
  static constexpr std::string_view kColumns = "Color,Name";
  CsvWriter out(folder, "COLORSET", kColumns);
  for (const Named& colour : kColours) {
    out.Text(colour.code).Text(colour.name);
    out.EndRow();
  }
  return out.Close();
}

TableCount WriteCurrencies(const fs::path& folder) {
  static constexpr std::string_view kColumns =
      "ID,Name,Value,Dec,Nominative,Genitive,GenitivePlural,Gender,DecNominative"
      ",DecGenitive,DecGenitivePlural,DecGender";
  struct Currency {
    int id;
    std::string_view name;
    double rate;
    std::array<std::string_view, 3> unit;
    int gender;
    std::array<std::string_view, 3> cents;
    int centGender;
  };
  static constexpr std::array<Currency, 3> kCurrencies = {
      {{1, "руб", 1.0, {"рубль", "рубля", "рублей"}, 0, {"копейка", "копейки", "копеек"}, 1},
       {2, "EUR", 92.5, {"евро", "евро", "евро"}, 2, {"цент", "цента", "центов"}, 0},
       {3, "USD", 85.0, {"доллар", "доллара", "долларов"}, 0, {"цент", "цента", "центов"}, 0}}};
  CsvWriter out(folder, "Currency", kColumns);
  for (const Currency& c : kCurrencies) {
    out.Int(c.id).Text(c.name).Fixed(c.rate, 4).Int(2);
    out.Text(c.unit[0]).Text(c.unit[1]).Text(c.unit[2]).Int(c.gender);
    out.Text(c.cents[0]).Text(c.cents[1]).Text(c.cents[2]).Int(c.centGender);
    out.EndRow();
  }
  return out.Close();
}

TableCount WritePriceGroups(const fs::path& folder) {
  static constexpr std::string_view kColumns =
      "GroupID,Name,Reduce_1,Reduce_2,Reduce_3,Reduce_4,Reduce_5,Reduce_6,Reduce_7"
      ",Reduce_8,Reduce_9,Reduce_10";
  CsvWriter out(folder, "PriceGrp", kColumns);
  for (int group = 1; group <= 10; ++group) {
    out.Int(group).Text("Ценовая группа " + std::to_string(group));
    for (int column = 0; column < 10; ++column)
      out.Fixed(((group * 7 + column * 3) % 41) - 20, 2);
    out.EndRow();
  }
  return out.Close();
}

TableCount WriteSystems(const fs::path& folder) {
  static constexpr std::string_view kColumns = "ID,Group,Name,ShortName,Use,CommonGrp,BaseColor";
  CsvWriter out(folder, "SysList", kColumns);
  for (int s = 0; s < kSystems; ++s) {
    const std::string id = std::to_string(SystemNumber(s));
    out.Text(id).Int(1).Text("Фурнитура поворотно-откидная, система " + id);
    out.Text("Система " + id).Int(1).Int(SystemNumber(s)).Text(kColours[2].code);
    out.EndRow();
  }
  return out.Close();
}

TableCount WriteSystemColours(const fs::path& folder) {
  static constexpr std::string_view kColumns = "ID,System,Article";
  CsvWriter out(folder, "SysColor", kColumns);
  for (int s = 0; s < kSystems; ++s) {
    const std::string system = std::to_string(SystemNumber(s));
    for (std::size_t c = 0; c < 6; ++c) {
      out.Text(kColours[c].code).Text(system).Text(system + "-" + std::string(kColours[c].code));
      out.EndRow();
    }
  }
  return out.Close();
}

TableCount WriteProperties(const fs::path& folder) {
  static constexpr std::string_view kColumns = "ID,GroupName,ValueName,Printable,Use,PrintName";
  CsvWriter out(folder, "SysProp", kColumns);
  for (int decade = 1230; decade <= 1290; decade += 10) {
    for (int value = 1; value <= 3; ++value) {
      const std::string group = "Свойство " + std::to_string(decade / 10);
      out.Int(decade + value).Text(group).Text("Вариант " + std::to_string(value));
      out.Int(1).Int(1).Text(group + ", вариант " + std::to_string(value));
      out.EndRow();
    }
  }
  return out.Close();
}

TableCount WriteProfileSystems(const fs::path& folder) {
  static constexpr std::string_view kColumns = "SchlSysID,FurnSysID,Name";
  CsvWriter out(folder, "SysProf", kColumns);
  for (int p = 0; p < kProfileSystems; ++p) {
    out.Text(ProfileSystem(p)).Text(std::to_string(SystemNumber(p * 2 % kSystems)));
    out.Text("Ответные планки, профиль " + ProfileSystem(p));
    out.EndRow();
  }
  return out.Close();
}

TableCount WriteMaterials(const fs::path& folder) {
  static constexpr std::string_view kColumns = "ID,Name";
  static constexpr std::array<std::string_view, 4> kNames = {"Не указан", "ПВХ", "Алюминий",
                                                             "Дерево"};
  CsvWriter out(folder, "Material", kColumns);
  for (std::size_t id = 0; id < kNames.size(); ++id) {
    out.Int(static_cast<std::int64_t>(id)).Text(kNames[id]);
    out.EndRow();
  }
  return out.Close();
}

TableCount WriteParameters(const fs::path& folder) {
  static constexpr std::string_view kColumns =
      "ID,Group,Name,FalzLuft,FalzSize,FalzPos,DornMass,OpenType,StulpType";
  struct Parameter {
    int id;
    std::string_view name;
    int luft, size, pos;
    double dornMass;
    int openType, stulpType;
  };
  static constexpr std::array<Parameter, 15> kParameters = {
      {{101, "Фальц 12/20-9", 12, 20, 9, 0, 0, 0},
       {102, "Фальц 12/20-13", 12, 20, 13, 0, 0, 0},
       {103, "Фальц 12/18-9", 12, 18, 9, 0, 0, 0},
       {104, "Фальц 12/22-13", 12, 22, 13, 0, 0, 0},
       {201, "Дорнмасс 15", 0, 0, 0, 15, 0, 0},
       {202, "Дорнмасс 7.5", 0, 0, 0, 7.5, 0, 0},
       {203, "Дорнмасс 9", 0, 0, 0, 9, 0, 0},
       {204, "Дорнмасс 25", 0, 0, 0, 25, 0, 0},
       {205, "Дорнмасс 35", 0, 0, 0, 35, 0, 0},
       {301, "Импост", 0, 0, 0, 0, 0, 1},
       {302, "Штульп", 0, 0, 0, 0, 0, 2},
       {303, "Штульп с накладкой", 0, 0, 0, 0, 0, 3},
       {401, "Открывание внутрь", 0, 0, 0, 0, 0, 0},
       {402, "Открывание наружу", 0, 0, 0, 0, 1, 0},
       {403, "Т-образная створка", 0, 0, 0, 0, 2, 0}}};
  CsvWriter out(folder, "ParamList", kColumns);
  for (const Parameter& p : kParameters) {
    out.Int(p.id).Int(p.id / 100).Text(p.name).Int(p.luft).Int(p.size).Int(p.pos);
    out.Fixed(p.dornMass, 1).Int(p.openType).Int(p.stulpType);
    out.EndRow();
  }
  return out.Close();
}

// ---------------------------------------------------------------- Catalog

constexpr std::string_view kCatalogColumns =
    "ID,Group,System,FrontColor,Article,ProdArticle,ProdArticle2,ProdArticle3"
    ",UseArticle,GOST,Name,ShortName,Unit,AltUnit_1,AltUnit_2,Coef,AltCoef_1"
    ",AltCoef_2,Integer,AltInteger_1,AltInteger_2,RoundedTotal,MinLength,MinWidth"
    ",MinHeight,MaxLength,MaxWidth,MaxHeight,Thickness,Weight,Volume,MinTrade"
    ",CutAvailable,CalcPrinciple,DustGrp,Price,PriceList,PriceMethod,PriceGrp"
    ",CustomGrp,Currency,GetCustom,GetNDS,Use,ScreenColor,CommonUse,Virtual"
    ",SizeToSquare,ArcPriceCoef,NotStdPriceCoef,CombinePriceCoef,IncludeToComp"
    ",GarantGrp,Laminating,Reserve1,Reserve2,Mark,PrintGroup,SingleLam,Export"
    ",SubSetID,LamSqExt,LamSqInn,LamSqFull,AutoChange,LenToSquare,SinkDeltaW"
    ",SinkDeltaL";

struct CatalogEntry {
  std::string code;
  int group;
  std::string name;
  Rng rng;
};

void WriteCatalogRow(CsvWriter& out, CatalogEntry entry) {
  const int currency = 1 + entry.rng.Below(2);
  const int cents = currency == 1 ? 2000 + entry.rng.Below(200000) : 50 + entry.rng.Below(5000);
  const std::string article = "RX-" + entry.code.substr(1);
  // The 68 fields in column order, five to a line.
  out.Text(entry.code).Int(entry.group).Text("").Text("").Text(article);
  out.Text(article).Text("").Text("").Int(1).Text("");
  out.Text(entry.name).Text(entry.name).Text("шт").Text("").Text("");
  out.Fixed(1, 6).Fixed(0, 6).Fixed(0, 6).Int(1).Int(0);
  out.Int(0).Int(0).Int(0).Int(0).Int(0);
  out.Int(0).Int(0).Int(0).Int(0).Fixed(0, 2);
  out.Fixed(0, 2).Fixed(1, 2).Int(0).Int(0).Int(0);
  out.Fixed(cents / 100.0, 4).Int(0).Int(0).Int(entry.rng.Below(11)).Int(0);
  out.Int(currency).Int(0).Int(1).Int(1).Int(0);
  out.Int(1).Int(0).Int(0).Fixed(1, 2).Fixed(1, 2);
  out.Fixed(1, 2).Int(1).Int(0).Int(0).Text("");
  out.Text("").Text("").Text("Фурнитура").Int(0).Text("");
  out.Int(0).Fixed(0, 8).Fixed(0, 8).Fixed(0, 8).Int(0);
  out.Int(0).Int(0).Int(0);
  out.EndRow();
}

void WriteBlockCatalog(CsvWriter& out, const Block& block, std::uint64_t seed) {
  for (int f = 0; f < kFamilies; ++f) {
    const std::string_view part = PartName(KindOf(f * 2));
    for (int v = 0; v < kCodesPerFamily; ++v) {
      std::string code = block.CodeId(f, v);
      std::string name =
          std::string(part) + ", исполнение " + std::to_string(v + 1) + " (" + code + ")";
      WriteCatalogRow(out, {std::move(code), 201 + f % 26, std::move(name),
                            EntityRng(seed, 'A', block.Family(f) * kCodesPerFamily + v)});
    }
  }
  for (int k = 0; k < kKeepers; ++k) {
    int variant = 0;
    ForEachKeeperArticle(block, k, [&](const ArticleRow& row) {
      WriteCatalogRow(out, {row.code, 215, "Ответная планка " + row.profSys + " (" + row.code + ")",
                            EntityRng(seed, 'B', block.Keeper(k) * 64 + variant++)});
    });
  }
  for (int a = 0; a < kAccessories; ++a) {
    const std::string code = block.AccessoryCode(a);
    WriteCatalogRow(out, {code, 1000, "Саморез для фурнитуры (" + code + ")",
                          EntityRng(seed, 'Z', block.Accessory(a))});
  }
}

TableCount WriteCatalog(const fs::path& folder, int scale, std::uint64_t seed) {
  CsvWriter out(folder, "Catalog", kCatalogColumns);
  for (int b = 0; b < scale; ++b)
    WriteBlockCatalog(out, Block{b}, seed);
  return out.Close();
}

// ---------------------------------------------------------------- FrnItem, FrnArt

void WriteItemRow(CsvWriter& out, const std::string& id, std::string_view name, const ItemFlags& f,
                  int isVirtual, int group) {
  out.Text(id).Text(name).Int(f.dornMass).Int(f.profSys).Int(f.weight).Int(f.color);
  out.Int(f.falzLuft).Int(0).Int(0).Int(f.thickness).Int(f.profWidth).Int(f.stulp).Int(f.direct);
  out.Int(isVirtual).Int(group);
  out.EndRow();
}

TableCount WriteItems(const fs::path& folder, int scale) {
  static constexpr std::string_view kColumns =
      "ID,Name,HasDornMass,HasProfSys,CheckWeight,HasColor,HasFalzLuft,HasFalzSize"
      ",HasFalzPos,CheckThickness,CheckProfWidth,CheckStulpType,CheckDirect,Virtual"
      ",CommonGrp";
  CsvWriter out(folder, "FrnItem", kColumns);
  for (int b = 0; b < scale; ++b) {
    const Block block{b};
    for (int i = 0; i < kItems; ++i) {
      const std::string name =
          std::string(PartName(KindOf(i))) + " №" + std::to_string(block.Item(i));
      WriteItemRow(out, block.ItemId(i), name, FlagsOf(KindOf(i)), 0, 0);
    }
    for (int c = 0; c < kComposites; ++c)
      WriteItemRow(out, block.CompositeId(c),
                   "Узел составной №" + std::to_string(block.Composite(c)), {}, 1, 0);
    for (int k = 0; k < kKeepers; ++k) {
      ItemFlags flags;
      flags.profSys = 1;
      flags.stulp = KeeperByMullion(k) ? 1 : 0;
      WriteItemRow(out, block.KeeperId(k), "Ответная планка №" + std::to_string(block.Keeper(k)),
                   flags, 0, KeeperGroup(block, k));
    }
  }
  return out.Close();
}

void WriteArticleRow(CsvWriter& out, const ArticleRow& a, std::int64_t key) {
  out.Text(a.item).Text(a.code).Int(key).Int(a.falzLuft).Int(0).Int(0);
  out.Fixed(a.dornMin, 2).Fixed(a.dornMax, 2).Int(0).Int(kWide).Int(a.handleHeight);
  out.Fixed(0, 2).Fixed(kWide, 2).Int(a.thickness.min).Int(a.thickness.max).Int(0).Int(kWide);
  out.Text(a.profSys).Int(a.ffb.min).Int(a.ffb.max).Int(a.ffh.min).Int(a.ffh.max);
  out.Int(a.ffl1.min).Int(a.ffl1.max).Int(a.ffl2.min).Int(a.ffl2.max);
  out.Fixed(0, 2).Fixed(kWide, 2).Int(0).Int(kWide).Int(0).Int(kWide);
  out.Text(a.color).Int(a.stulp).Int(a.direct);
  out.EndRow();
}

TableCount WriteArticles(const fs::path& folder, int scale) {
  static constexpr std::string_view kColumns =
      "ID,CatalogID,Key,FalzLuft,FalzSize,FalzPos,DornMassMin,DornMassMax,HandleMin"
      ",HandleMax,HandleHeight,WeightMin,WeightMax,ThicknessMin,ThicknessMax"
      ",ProfWidthMin,ProfWidthMax,ProfSys,FFBMin,FFBMax,FFHMin,FFHMax,FFL1Min,FFL1Max"
      ",FFL2Min,FFL2Max,FFAMin,FFAMax,FFR1Min,FFR1Max,FFR2Min,FFR2Max,Color,StulpType"
      ",Direct";
  CsvWriter out(folder, "FrnArt", kColumns);
  std::int64_t key = 0;
  for (int b = 0; b < scale; ++b) {
    const Block block{b};
    for (int i = 0; i < kItems; ++i) {
      for (int v = 0; v < kArticlesPerItem; ++v)
        WriteArticleRow(out, ItemArticle(block, i, v), ++key);
    }
    for (int k = 0; k < kKeepers; ++k)
      ForEachKeeperArticle(block, k,
                           [&](const ArticleRow& row) { WriteArticleRow(out, row, ++key); });
  }
  return out.Close();
}

// ---------------------------------------------------------------- kits

enum class KitKind { Main, Handle, Hinge, Additional, Other };

KitKind KindOfKit(int kit) {
  const int r = kit % 10;
  if (r < 6)
    return KitKind::Main;
  static constexpr std::array<KitKind, 4> kOthers = {KitKind::Handle, KitKind::Hinge,
                                                     KitKind::Additional, KitKind::Other};
  return kOthers[static_cast<std::size_t>(r - 6)];
}

int KitGroup(int kit) {
  static constexpr std::array<int, 4> kOtherGroups = {41, 45, 50, 46};
  switch (KindOfKit(kit)) {
    case KitKind::Main:
      return 10;
    case KitKind::Handle:
      return 30;
    case KitKind::Hinge:
      return 20;
    case KitKind::Additional:
      return 70;
    default:
      return kOtherGroups[static_cast<std::size_t>(kit / 10 % 4)];
  }
}

// Main kits alternate between hinges on the left (direction 1) and on the right (2).
int KitDirect(int kit) {
  return KindOfKit(kit) == KitKind::Main ? 1 + kit % 2 : 0;
}
int HandleSide(int direct) {
  return direct == 2 ? 1 : 3;
}

std::string_view KitName(int kit) {
  switch (KindOfKit(kit)) {
    case KitKind::Main:
      return KitDirect(kit) == 1 ? "Комплект поворотно-откидной, левый"
                                 : "Комплект поворотно-откидной, правый";
    case KitKind::Handle:
      return "Ручка оконная";
    case KitKind::Hinge:
      return "Комплект петель";
    case KitKind::Additional:
      return "Дополнительный комплект";
    default:
      return "Комплект прочий";
  }
}

void WriteKitRow(CsvWriter& out, const Block& block, int kit) {
  const std::string name = std::string(KitName(kit)) + " №" + std::to_string(block.Kit(kit));
  const int image = KindOfKit(kit) == KitKind::Handle  ? 10
                    : KindOfKit(kit) == KitKind::Hinge ? 20
                                                       : 0;
  out.Text(block.KitId(kit)).Int(KitGroup(kit)).Int(0).Int(0).Text(name).Text("").Text("");
  out.Int(image).Int(100).Int(0xC0C0C0).Int(1).Int(1);
  out.Int(SystemNumber(static_cast<int>(block.Kit(kit) % kSystems))).Int(KitDirect(kit));
  out.Text("").Text("").Text("").Text("").Int(1).Text(name).Text("");
  out.Int(0).Int(0).Int(image).Int(0);
  out.EndRow();
}

TableCount WriteKits(const fs::path& folder, int scale) {
  static constexpr std::string_view kColumns =
      "ID,Group,SubGroup,Kipp,Name,SymmetricID,MultiSysID,Image,MaxWeight,ScrColor"
      ",TFlugelAvailable,Use,CommonGrp,Direct,HingeT,HingeB,HingeC,Note,Printable"
      ",PrintName,Alert,PropKey,DispHingeNum,CompectImage,Material";
  CsvWriter out(folder, "FrnComp", kColumns);
  for (int b = 0; b < scale; ++b) {
    for (int k = 0; k < kKits; ++k)
      WriteKitRow(out, Block{b}, k);
  }
  return out.Close();
}

// The side table of a rectangular main kit: hinges on one upright, the handle on the other.
void WriteSideRows(CsvWriter& out, const std::string& kit, int direct) {
  const int hingeSide = direct == 2 ? 3 : 1;
  const int handleSide = HandleSide(direct);
  for (int side = 1; side <= 4; ++side) {
    const bool upright = side % 2 == 1;
    out.Text(kit).Int(side).Int(upright ? 400 : 300).Int(upright ? 2409 : 1609);
    out.Fixed(80, 2).Fixed(100, 2).Int(0).Int(0).Int(0).Int(0).Int(0);
    const bool tilts = side == 4 && side != hingeSide;
    out.Int(side == hingeSide || tilts ? 1 : 0).Int(side == hingeSide ? handleSide : tilts ? 2 : 0);
    // Handle heights are measured from the bottom corner of the handle side.
    out.Int(side == handleSide ? 1 : 0).Int(side == handleSide && side == 3 ? 1 : 0);
    out.Int(side == hingeSide ? 1 : 0).Int(side == handleSide ? 1 : 0);
    out.EndRow();
  }
}

TableCount WriteSides(const fs::path& folder, int scale) {
  static constexpr std::string_view kColumns =
      "ID,Side,MinSize,MaxSize,MinAngle,MaxAngle,MinRadius,MaxRadius,FullRadius"
      ",HalfRadius,EllipseRadius,OpenMode,RotSide,Handled,HandleDirect,Banded,Drived";
  CsvWriter out(folder, "FrnSide", kColumns);
  for (int b = 0; b < scale; ++b) {
    const Block block{b};
    for (int k = 0; k < kKits; ++k) {
      if (KindOfKit(k) == KitKind::Main)
        WriteSideRows(out, block.KitId(k), KitDirect(k));
    }
  }
  return out.Close();
}

// ---------------------------------------------------------------- FrnSet

// One kit row; ranges that do not matter pass every sash (0..kWide, side numbers 1), the
// adjacent-sash ranges stay 0 so that one-sash positions calculate.
struct KitRow {
  std::string item{};
  int propKey = 0;
  int number = 1;
  int side1 = 1;
  int side2 = 1;
  Band ffb{0, kWide};
  Band ffh{0, kWide};
  int condition = 0;
  int scaleCondition = 0;
  int scaleStep = 0;
  int scaleStart = 0;
  int scaleNum = 0;
  std::string_view scaleScheme{};
  int colorCondition = 0;
  int defineHandle = 0;
  int stulpMask = 0;
  int required = 1;
  std::string_view note{};
  int handleSide = 0;
  std::string_view formula{};
  int minLen = 0;
  int itemSide = 0;
};

struct CutRule {
  std::string_view formula;
  int minLen;
  int ffbMin;
  int ffhMin;
};
// Each formula stays above its minimum on every sash that passes its guard (FFB or FFH in cm).
constexpr std::array<CutRule, 3> kCutRules = {
    {{"FB-300", 50, 40, 0}, {"FН/2-150", 20, 0, 40}, {"FFL(2)-250", 50, 40, 0}}};
constexpr std::array<int, 5> kStulpMasks = {66, 4, 64, 70, 1};
constexpr std::array<std::string_view, 4> kNotes = {"верхний", "нижний", "на стороне ручки",
                                                    "дополнительно"};

void SetMeasures(KitRow& row, int item, Rng& rng) {
  switch (KindOf(item)) {
    case ItemKind::Width:
      row.condition = 1;
      break;
    case ItemKind::Height:
      row.condition = 2;
      break;
    case ItemKind::Side1:
      row.condition = 4;
      row.side1 = 1 + rng.Below(4);
      break;
    case ItemKind::Side2:
      row.condition = 5;
      row.side2 = 1 + rng.Below(4);
      break;
    case ItemKind::Colour:
    case ItemKind::Direct:
      row.colorCondition = rng.Below(4);
      break;
    default:
      break;
  }
}

void SetQuantity(KitRow& row, Rng& rng) {
  row.scaleCondition = 1 + rng.Below(2);
  row.scaleNum = 1;
  if (rng.Chance(50)) {
    row.scaleScheme = "60;90;120";
    return;
  }
  row.scaleStart = 60;
  row.scaleStep = 40;
}

void SetCutToLength(KitRow& row, Rng& rng) {
  const CutRule& rule = Pick(rng, kCutRules);
  row.formula = rule.formula;
  row.minLen = rule.minLen;
  row.ffb.min = std::max(row.ffb.min, rule.ffbMin);
  row.ffh.min = std::max(row.ffh.min, rule.ffhMin);
}

KitRow MakeKitRow(const Block& block, Rng& rng) {
  KitRow row;
  row.number = 1 + rng.Below(3);
  row.itemSide = rng.Below(5);
  row.required = rng.Chance(85) ? 1 : 0;
  if (rng.Chance(5)) {
    row.item = block.CompositeId(rng.Below(kComposites));
    return row;
  }
  const int item = rng.Below(kItems);
  row.item = block.ItemId(item);
  SetMeasures(row, item, rng);
  if (rng.Chance(10))
    row.propKey = block.Rule(rng.Below(kRules));
  if (rng.Chance(10))
    row.stulpMask = Pick(rng, kStulpMasks);
  if (rng.Chance(10))
    row.ffb = rng.Chance(50) ? Band{50, kWide} : Band{0, 120};
  if (rng.Chance(10))
    SetQuantity(row, rng);
  if (rng.Chance(5))
    SetCutToLength(row, rng);
  if (rng.Chance(10))
    row.note = Pick(rng, kNotes);
  return row;
}

// The first row of a main kit is its gear: an item chosen by FFH whose article fixes the handle.
KitRow MakeGearRow(const Block& block, Rng& rng, int direct) {
  KitRow row;
  row.item = block.ItemId(10 * rng.Below(kItems / 10) + 2);
  row.condition = 2;
  row.defineHandle = 1;
  row.handleSide = HandleSide(direct);
  row.itemSide = row.handleSide;
  return row;
}

std::vector<KitRow> MakeKitRows(const Block& block, int kit, std::uint64_t seed) {
  Rng rng = EntityRng(seed, 'K', block.Kit(kit));
  std::vector<KitRow> rows;
  rows.reserve(kRowsPerKit);
  if (KindOfKit(kit) == KitKind::Main)
    rows.push_back(MakeGearRow(block, rng, KitDirect(kit)));
  while (rows.size() < kRowsPerKit)
    rows.push_back(MakeKitRow(block, rng));
  // Keys follow the walk order (ID, Item, Key).
  std::stable_sort(rows.begin(), rows.end(),
                   [](const KitRow& a, const KitRow& b) { return a.item < b.item; });
  return rows;
}

void WriteSetRow(CsvWriter& out, const std::string& kit, const KitRow& r, std::int64_t key) {
  out.Text(kit).Text(r.item).Int(key).Int(r.propKey).Int(r.number).Int(r.side1).Int(r.side2);
  out.Int(1).Int(r.ffb.min).Int(r.ffb.max).Int(r.ffh.min).Int(r.ffh.max);
  out.Int(1).Int(0).Int(kWide).Int(1).Int(0).Int(kWide);                // FFL1, FFL2
  out.Int(1).Int(0).Int(0).Int(1).Int(0).Int(0);                        // FFL21, FFL22: off
  out.Int(1).Fixed(0, 2).Fixed(kWide, 2);                               // FFA
  out.Int(1).Int(0).Int(kWide).Int(0).Int(1).Int(0).Int(kWide).Int(0);  // FFR1, FFR2
  out.Int(r.condition).Int(r.scaleCondition).Int(r.scaleStep).Int(r.scaleStart).Int(r.scaleNum);
  out.Text(r.scaleScheme).Int(r.colorCondition).Int(r.defineHandle).Int(r.stulpMask);
  out.Int(r.required).Text(r.note).Text("").Text("").Text("").Int(r.handleSide);
  out.Int(r.formula.empty() ? 0 : 1).Text(r.formula).Int(r.minLen).Int(r.itemSide);
  out.Int(0).Int(kWide);
  out.EndRow();
}

TableCount WriteKitComposition(const fs::path& folder, int scale, std::uint64_t seed) {
  static constexpr std::string_view kColumns =
      "ID,Item,Key,PropKey,Number,Side1No,Side2No,AngleNo,FFBMin,FFBMax,FFHMin,FFHMax"
      ",FFL1No,FFL1Min,FFL1Max,FFL2No,FFL2Min,FFL2Max,FFL21No,FFL21Min,FFL21Max"
      ",FFL22No,FFL22Min,FFL22Max,FFANo,FFAMin,FFAMax,FFR1No,FFR1Min,FFR1Max,FFR1Type"
      ",FFR2No,FFR2Min,FFR2Max,FFR2Type,Condition,ScaleCondition,ScaleStep,ScaleStart"
      ",ScaleNum,ScaleScheme,ColorCondition,DefineHandleHeight,StulpType,Required"
      ",Note,AlertIfNoArt,AlertIfIgnore,UseIfArt,HandleSideNo,UseLen,LenFormula"
      ",MinLen,ItemSideNo,HandleMin,HandleMax";
  CsvWriter out(folder, "FrnSet", kColumns);
  std::int64_t key = 0;
  for (int b = 0; b < scale; ++b) {
    const Block block{b};
    for (int k = 0; k < kKits; ++k) {
      const std::string kit = block.KitId(k);
      for (const KitRow& row : MakeKitRows(block, k, seed))
        WriteSetRow(out, kit, row, ++key);
    }
  }
  return out.Close();
}

// ---------------------------------------------------------------- composites, rules

TableCount WriteComposites(const fs::path& folder, int scale, std::uint64_t seed) {
  static constexpr std::string_view kColumns =
      "ID,Item,PropKey,Number,StulpType,ColorCondition,Required,AlertIfNoArt"
      ",AlertIfIgnore,Note,ItemSideNo";
  CsvWriter out(folder, "FrnItoI", kColumns);
  for (int b = 0; b < scale; ++b) {
    const Block block{b};
    for (int c = 0; c < kComposites; ++c) {
      Rng rng = EntityRng(seed, 'V', block.Composite(c));
      for (int part = 0; part < 3; ++part) {
        const int item = PickMeasureFreeItem(rng);
        out.Text(block.CompositeId(c)).Text(block.ItemId(item)).Int(0).Int(1 + rng.Below(2));
        out.Int(rng.Chance(10) ? 4 : 0).Int(rng.Below(4)).Int(1).Text("").Text("").Text("");
        out.Int(0);
        out.EndRow();
      }
    }
  }
  return out.Close();
}

TableCount WriteRules(const fs::path& folder, int scale) {
  static constexpr std::string_view kColumns = "ID,PropKey,Default";
  CsvWriter out(folder, "FrnProp", kColumns);
  for (int b = 0; b < scale; ++b) {
    const Block block{b};
    for (int r = 0; r < kRules; ++r) {
      const int decade = 1230 + 10 * (r % 7);
      out.Int(decade + 1).Int(block.Rule(r)).Int(1);
      out.EndRow();
      if (r % 2 == 1) {
        out.Int(decade + 2).Int(block.Rule(r)).Int(0);
        out.EndRow();
      }
    }
  }
  return out.Close();
}

// ---------------------------------------------------------------- follow-up articles

// Rows of FrnSchl and FrnDop share a layout apart from the order of their middle columns.
struct FollowUp {
  std::string code{};
  std::string target{};
  int number = 1;
  int stulp = 0;
  int propKey = 0;
  int side = 0;
  std::string kit{};
};

FollowUp MakeCounterPlate(const Block& block, int family, std::uint64_t seed) {
  Rng rng = EntityRng(seed, 'S', block.Family(family));
  static constexpr std::array<int, 3> kMullions = {1, 2, 6};
  FollowUp row{.code = block.CodeId(family, 0), .target = block.KeeperId(rng.Below(kKeepers))};
  row.number = 1 + rng.Below(2);
  if (rng.Chance(30))
    row.stulp = Pick(rng, kMullions);
  if (rng.Chance(10))
    row.propKey = block.Rule(rng.Below(kRules));
  if (rng.Chance(20))
    row.side = 1 + rng.Below(4);
  if (rng.Chance(5))
    row.kit = block.KitId(rng.Below(kKits));
  return row;
}

TableCount WriteCounterPlates(const fs::path& folder, int scale, std::uint64_t seed) {
  static constexpr std::string_view kColumns =
      "CatalogID,Item,Key,Number,StulpType,PropKey,ItemSideNo,ItemComplectID";
  CsvWriter out(folder, "FrnSchl", kColumns);
  std::int64_t key = 0;
  for (int b = 0; b < scale; ++b) {
    for (int f = 0; f < kFamilies; ++f) {
      const FollowUp row = MakeCounterPlate(Block{b}, f, seed);
      out.Text(row.code).Text(row.target).Int(++key).Int(row.number).Int(row.stulp);
      out.Int(row.propKey).Int(row.side).Text(row.kit);
      out.EndRow();
    }
  }
  return out.Close();
}

TableCount WriteCovers(const fs::path& folder, int scale) {
  static constexpr std::string_view kColumns =
      "CatalogID,Color,AccessoryID,Number,ItemSideNo,ItemComplectID";
  static constexpr std::array<std::string_view, 3> kCoverColours = {"9016", "8017", ""};
  CsvWriter out(folder, "FrnAbd", kColumns);
  for (int b = 0; b < scale; ++b) {
    const Block block{b};
    for (int f = 0; f < kFamilies; f += 5) {
      for (std::size_t c = 0; c < kCoverColours.size(); ++c) {
        const int accessory = static_cast<int>((f / 5 * 3 + c) % kAccessories);
        out.Text(block.CodeId(f, 1)).Text(kCoverColours[c]).Text(block.AccessoryCode(accessory));
        out.Int(1).Int(0).Text("");
        out.EndRow();
      }
    }
  }
  return out.Close();
}

void WriteAccessoryRow(CsvWriter& out, const FollowUp& row, std::int64_t key) {
  out.Text(row.code).Text(row.target).Int(key).Int(row.number).Int(row.propKey).Int(row.stulp);
  out.Int(row.side).Text(row.kit);
  out.EndRow();
}

TableCount WriteAccessories(const fs::path& folder, int scale) {
  static constexpr std::string_view kColumns =
      "CatalogID,AccessoryID,Key,Number,PropKey,StulpType,ItemSideNo,ItemComplectID";
  CsvWriter out(folder, "FrnDop", kColumns);
  std::int64_t key = 0;
  for (int b = 0; b < scale; ++b) {
    const Block block{b};
    for (int f = 0; f < kFamilies; f += 3) {
      FollowUp row{.code = block.CodeId(f, 2), .target = block.AccessoryCode(f % kAccessories)};
      row.number = 1 + f % 4;
      WriteAccessoryRow(out, row, ++key);
    }
    for (int k = 0; k < kKeepers; ++k) {
      ForEachKeeperArticle(block, k, [&](const ArticleRow& article) {
        FollowUp row{.code = article.code, .target = block.AccessoryCode(0)};
        row.number = 2;
        WriteAccessoryRow(out, row, ++key);
      });
    }
  }
  return out.Close();
}

}  // namespace

std::vector<TableCount> GenerateCatalogue(const fs::path& folder, int scale, std::uint64_t seed) {
  if (scale < 1)
    throw std::invalid_argument("The scale of a synthetic catalogue must be at least 1");
  fs::create_directories(folder);
  return {WriteColours(folder),
          WriteCurrencies(folder),
          WritePriceGroups(folder),
          WriteSystems(folder),
          WriteSystemColours(folder),
          WriteProperties(folder),
          WriteProfileSystems(folder),
          WriteCatalog(folder, scale, seed),
          WriteMaterials(folder),
          WriteParameters(folder),
          WriteKits(folder, scale),
          WriteSides(folder, scale),
          WriteItems(folder, scale),
          WriteKitComposition(folder, scale, seed),
          WriteArticles(folder, scale),
          WriteCounterPlates(folder, scale, seed),
          WriteAccessories(folder, scale),
          WriteCovers(folder, scale),
          WriteRules(folder, scale),
          WriteComposites(folder, scale, seed)};
}

}  // namespace rxf
