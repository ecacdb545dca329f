// The order registry on a temporary configuration: rows from orders and order files, refreshing,
// deleting and archiving with their files, clearing, and two copies changing it at once.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <string>
#include <vector>

#include "documents/order.h"
#include "documents/order_registry.h"
#include "fixture.h"
#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/temp_home.h"

namespace rxf {
namespace {

namespace fs = std::filesystem;
using test::M;
using test::Messages;
using test::OrderOf;
using test::ReadBytes;
using test::W;
using test::WriteBytes;
using Kind = RecordingUi::Kind;

// Runs SQL on the registry database from outside, as another tool would.
void RunSql(const fs::path& file, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
      << (error ? error : "");
  sqlite3_free(error);
  sqlite3_close(db);
}

std::vector<std::string> SchemaNames(const fs::path& file) {
  sqlite3* db = nullptr;
  sqlite3_open(file.c_str(), &db);
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT type || ' ' || name FROM sqlite_master WHERE sql IS NOT NULL "
                     "ORDER BY 1",
                     -1, &statement, nullptr);
  std::vector<std::string> names;
  while (sqlite3_step(statement) == SQLITE_ROW)
    names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return names;
}

class Registry : public TempHome {
 protected:
  Registry() {
    const std::string server = PathText(Home() / "server");
    config_.OrdersDir = server + "/Orders";
    config_.RegistryDir = server + "/Registry";
    config_.RecycledDir = server + "/Recycled";
    config_.ArchiveDir = server + "/Archive";
    fs::create_directories(Orders());
  }

  fs::path Orders() const { return DiskPath(config_.OrdersDir); }
  fs::path Database() const { return DiskPath(config_.RegistryDir) / "OrderLst.sqlite"; }

  TOrderRegistry Open() { return TOrderRegistry(config_, ui_); }

  // An order of number no with one position of count 2 at 10, and the file it is saved in.
  fs::path SaveOrder(std::string_view no, const std::string& name) {
    auto order = OrderOf(no, {2}, "A-100", "10");
    order->Customer = W("Иванов");
    return SaveOrder(*order, name);
  }
  fs::path SaveOrder(TrxfOrder& order, const std::string& name) {
    const fs::path file = Orders() / name;
    EXPECT_TRUE(order.SaveToFile(file, ui_));
    return file;
  }

  std::vector<std::string> Numbers() {
    std::vector<std::string> numbers;
    for (const TRegistryRow& row : Open().List(TRegistryIndex::Primary))
      numbers.push_back(Cp1251ToUtf8(row.No));
    return numbers;
  }

  TConfiguration config_;
  RecordingUi ui_;
};

TEST_F(Registry, OpeningCreatesTheDatabaseWithTheTableAndItsNamedOrders) {
  Open();
  EXPECT_EQ(SchemaNames(Database()), (std::vector<std::string>{"index CustName", "index Date",
                                                               "index ObjName", "table OrderLst"}));
  Open();  // an existing registry opens as it is
}

TEST_F(Registry, RegisteringFillsTheRowFromTheOrder) {
  TrxfOrder order;
  order.OrderNo = W("З-1");
  order.Customer = W("ООО Окна");
  order.ObjectName = "Object";
  order.Address = "Street 1";
  order.Phones = "555";
  order.RegDate = 43100.75;
  order.Currency = 2;
  order.NDSTax = 20;
  order.GetTotalNDS = true;
  order.Add(test::Position("1", 3, "10.0001"));
  const fs::path file = SaveOrder(order, "z1.rfo370");
  auto registry = Open();
  ui_.SetAnswer(false);
  EXPECT_FALSE(registry.RegisterOrder(order, file, "", false));
  EXPECT_TRUE(registry.List(TRegistryIndex::Primary).empty());
  ui_.SetAnswer(true);
  EXPECT_TRUE(registry.RegisterOrder(order, file, "", false));
  EXPECT_EQ(Messages(ui_, Kind::Question),
            std::vector<std::string>(2, "Зарегистрировать заказ / обновить данные в реестре?"));
  const auto row = registry.Find(W("з-1"));
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(row->No, W("З-1"));
  EXPECT_EQ(row->RegDate, 43100);
  EXPECT_EQ(row->Customer, W("ООО Окна"));
  EXPECT_EQ(row->Object, "Object");
  EXPECT_EQ(row->Address, "Street 1");
  EXPECT_EQ(row->Phone, "555");
  EXPECT_EQ(row->Cost, M("36.0004"));  // 30.0003 and 20 percent
  EXPECT_EQ(row->Currency, 2);
  EXPECT_EQ(row->OrderFile, "%Z1.RFO370");
}

TEST_F(Registry, FileOutsideTheOrdersFolderIsStoredWithItsFullUpperCasePath) {
  auto order = OrderOf("A", {1}, "A-100", "1");
  const fs::path file = Home() / "elsewhere" / "a.rfo370";
  fs::create_directories(file.parent_path());
  EXPECT_TRUE(Open().RegisterOrder(*order, file, "", true));
  EXPECT_EQ(Open().Find("A")->OrderFile, AnsiUpperCase(PathText(file)));
}

TEST_F(Registry, NumbersAreMatchedIgnoringCaseAndLongTextsAreCut) {
  auto registry = Open();
  for (const char* no : {"a-1", "A-1", "з-2", "З-2"}) {
    auto order = OrderOf(W(no), {1}, "A-100", "1");
    order->Customer = std::string(50, 'c');
    EXPECT_TRUE(registry.RegisterOrder(*order, Orders() / "x.rfo370", "", true)) << no;
  }
  const std::string longNo = std::string(30, 'n') + "12345";
  for (int i = 0; i < 2; ++i)
    EXPECT_TRUE(registry.RegisterOrder(*OrderOf(longNo, {1}, "A-100", "1"), Orders() / "l.rfo370",
                                       "", true));
  EXPECT_EQ(Numbers(), (std::vector<std::string>{"A-1", std::string(30, 'n'), "З-2"}));
  EXPECT_EQ(registry.Find("a-1")->Customer, std::string(40, 'c'));
}

TEST_F(Registry, ARenamedOrderTakesItsRowAlong) {
  auto registry = Open();
  auto order = OrderOf("A", {1}, "A-100", "1");
  ASSERT_TRUE(registry.RegisterOrder(*order, Orders() / "a.rfo370", "", true));
  RunSql(Database(), "UPDATE OrderLst SET Note = 'typed' WHERE No = 'A'");
  order->OrderNo = "B";
  ASSERT_TRUE(registry.RegisterOrder(*order, Orders() / "a.rfo370", "A", true));
  EXPECT_EQ(Numbers(), std::vector<std::string>{"B"});
  EXPECT_EQ(registry.Find("B")->Note, "typed");
  // The previous number's row is gone: the order's own row is updated or added.
  order->OrderNo = "C";
  ASSERT_TRUE(registry.RegisterOrder(*order, Orders() / "a.rfo370", "A", true));
  EXPECT_EQ(Numbers(), (std::vector<std::string>{"B", "C"}));
  // A number another row holds is refused, and nothing changes.
  order->OrderNo = "c";
  EXPECT_FALSE(registry.RegisterOrder(*order, Orders() / "a.rfo370", "B", true));
  EXPECT_EQ(Messages(ui_, Kind::Error),
            std::vector<std::string>{"Заказ № c уже существует\r\nв реестре заказов!"});
  EXPECT_EQ(Numbers(), (std::vector<std::string>{"B", "C"}));
}

TEST_F(Registry, CheckOrderNo) {
  auto registry = Open();
  auto registered = OrderOf("A-1", {1}, "A-100", "1");
  registered->RegDate = 43831;  // 01.01.2020
  ASSERT_TRUE(registry.RegisterOrder(*registered, Orders() / "a.rfo370", "", true));
  struct Case {
    const char* no;
    bool isNew;
    bool passes;
    const char* message;
  } cases[] = {
      {"", false, false, "Не указан номер заказа!"},
      {"a-1", true, false,
       "Заказ с номером a-1 был зарегистрирован 01.01.2020!\r\nУкажите другой номер заказа."},
      {"a-1", false, true, nullptr},
      {"B-1", true, true, nullptr},
  };
  for (const auto& c : cases) {
    RecordingUi ui;
    TOrderRegistry checker(config_, ui);
    EXPECT_EQ(checker.CheckOrderNo(*OrderOf(c.no, {}, "", "0"), c.isNew), c.passes) << c.no;
    EXPECT_EQ(Messages(ui),
              c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{})
        << c.no;
  }
}

TEST_F(Registry, RegisteringOrderFiles) {
  const fs::path good = SaveOrder("G-1", "g.rfo370");
  const fs::path unnumbered = SaveOrder("", "u.rfo370");
  const fs::path again = SaveOrder("g-1", "again.rfo370");
  const fs::path damaged = SaveOrder("D-1", "d.rfo370");
  WriteBytes(damaged, ReadBytes(damaged).substr(0, 200));
  const fs::path other = SaveOrder("O-1", "o.rfo370");
  RecordingUi ui;
  TOrderRegistry registry(config_, ui);
  EXPECT_FALSE(registry.RegisterOrderFiles({good, unnumbered, again, damaged, other}));
  EXPECT_EQ(Numbers(), (std::vector<std::string>{"G-1", "O-1"}));
  const auto errors = Messages(ui, Kind::Error);
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_EQ(errors[0],
            "Загружаемый заказ не имеет номера!\r\nДля учета заказа необходимо наличие номера.");
  EXPECT_EQ(errors[1],
            "Загружаемый заказ № g-1 уже существует\r\nв реестре заказов, Вы можете "
            "только\r\nобновить данные!");
  EXPECT_EQ(errors[2].rfind("Ошибка загрузки заказа!", 0), 0u);
  EXPECT_EQ(registry.Find("G-1")->OrderFile, "%G.RFO370");
  EXPECT_EQ(registry.Find("G-1")->Cost, M("20"));
  EXPECT_EQ(ui.Cursor(), ScreenCursor::Default);
}

// A row whose adding fails is not left half added; the user chooses to go on or stop.
TEST_F(Registry, AFailedAddLeavesNoRowAndAsksWhetherToGoOn) {
  const fs::path first = SaveOrder("F-1", "f1.rfo370");
  const fs::path bad = SaveOrder("BAD", "bad.rfo370");
  const fs::path missing = Orders() / "missing.rfo370";
  const fs::path last = SaveOrder("F-2", "f2.rfo370");
  Open();
  RunSql(Database(),
         "CREATE TRIGGER refuse AFTER INSERT ON OrderLst WHEN NEW.No = 'BAD' "
         "BEGIN SELECT RAISE(ABORT, 'disk full'); END;");
  for (const bool goOn : {true, false}) {
    RunSql(Database(), "DELETE FROM OrderLst");
    RecordingUi ui;
    ui.SetAnswer(goOn);
    TOrderRegistry registry(config_, ui);
    EXPECT_FALSE(registry.RegisterOrderFiles({first, bad, missing, last}));
    const auto questions = Messages(ui, Kind::Question);
    ASSERT_EQ(questions.size(), goOn ? 2u : 1u);
    EXPECT_EQ(questions[0].rfind("Ошибка добавления заказа в реестр!\r\n(", 0), 0u);
    EXPECT_NE(questions[0].find("disk full"), std::string::npos) << questions[0];
    EXPECT_NE(questions[0].find(")\r\n\r\nПродолжать регистрацию?"), std::string::npos);
    EXPECT_EQ(Numbers(),
              goOn ? (std::vector<std::string>{"F-1", "F-2"}) : std::vector<std::string>{"F-1"});
  }
}

TEST_F(Registry, RefreshingARowFromItsFile) {
  auto order = OrderOf("A-1", {2}, "A-100", "10");
  const fs::path file = SaveOrder(*order, "a.rfo370");
  auto registry = Open();
  ASSERT_TRUE(registry.RegisterOrder(*order, file, "", true));
  RunSql(Database(), "UPDATE OrderLst SET Note = 'typed'");
  order->Customer = "New customer";
  order->Add(test::Position("2", 1, "5"));
  SaveOrder(*order, "a.rfo370");
  ui_.SetAnswer(true);
  ASSERT_TRUE(registry.RefreshEntry("a-1"));
  const auto row = registry.Find("A-1");
  EXPECT_EQ(row->Customer, "New customer");
  EXPECT_EQ(row->Cost, M("25"));
  EXPECT_EQ(row->Note, "typed");
  EXPECT_EQ(row->OrderFile, "%A.RFO370");

  struct Case {
    const char* name;
    std::function<void()> change;
    const char* ask;
    std::string message;
  } cases[] = {
      {"number changed in case",
       [&] {
         order->OrderNo = "a-1";
         SaveOrder(*order, "a.rfo370");
       },
       "A-1", "Изменился номер заказ, обновить данные невозможно!\r\nПеререгистрируйте заказ."},
      {"file missing", [&] { fs::remove(file); }, "A-1",
       "Невозможно найти файл заказа № A-1!\r\nФайл: " + (Orders() / "A.RFO370").string() + "."},
      {"not registered", [] {}, "Z-9", "Заказ № Z-9 не найден в реестре заказов!"},
  };
  for (const auto& c : cases) {
    c.change();
    RecordingUi ui;
    ui.SetAnswer(true);
    TOrderRegistry refresher(config_, ui);
    EXPECT_FALSE(refresher.RefreshEntry(c.ask)) << c.name;
    EXPECT_EQ(Messages(ui, Kind::Error), std::vector<std::string>{c.message}) << c.name;
    EXPECT_EQ(refresher.Find("A-1")->Customer, "New customer") << c.name;
  }
}

TEST_F(Registry, DeletingMovesFilesIntoTheRecycleFolderWhenAsked) {
  auto registry = Open();
  ui_.SetAnswer(true);
  for (const auto& [no, name] : {std::pair{"X-1", "X.RFO370"},
                                 {"X-2", "sub/x.rfo370"},
                                 {"AB", "A.B.RFO370"},
                                 {"GONE", "gone.rfo370"}})
    ASSERT_TRUE(registry.RegisterOrder(*OrderOf(no, {1}, "A-100", "1"), Orders() / name, "", true));
  fs::create_directories(Orders() / "sub");
  for (const char* name : {"X.RFO370", "sub/x.rfo370", "A.B.RFO370"})
    WriteBytes(Orders() / name, name);

  EXPECT_FALSE(registry.DeleteEntries({"X-1", "NONE"}, true, true));  // nothing goes
  EXPECT_EQ(Messages(ui_, Kind::Error).back(),
            "Ошибка удаления из реестра!\r\n(Заказ № NONE не найден в реестре заказов!)");
  EXPECT_EQ(Numbers().size(), 4u);

  EXPECT_TRUE(registry.DeleteEntries({"x-1", "X-2", "AB", "GONE"}, true, true));
  EXPECT_TRUE(Numbers().empty());
  const fs::path recycled = DiskPath(config_.RecycledDir);
  EXPECT_EQ(ReadBytes(recycled / "X.rfo"), "X.RFO370");
  EXPECT_EQ(ReadBytes(recycled / "x.rfo"), "sub/x.rfo370");
  EXPECT_EQ(ReadBytes(recycled / "A_B.rfo"), "A.B.RFO370");
  EXPECT_EQ(Messages(ui_, Kind::Warning),
            std::vector<std::string>{"Заказ не был помещен в мусорку,\r\nт.к. не найден "
                                     "соответствующий ему файл:\r\n" +
                                     (Orders() / "GONE.RFO370").string() + "."});
  EXPECT_EQ(Messages(ui_, Kind::Question), std::vector<std::string>(2, "Удалить заказ?"));
}

TEST_F(Registry, DeletingWithoutRecyclingLeavesTheFileAndArchivingMovesIt) {
  auto registry = Open();
  for (const char* no : {"A", "B", "C"}) {
    const fs::path file = SaveOrder(no, std::string(no) + ".rfo370");
    ASSERT_TRUE(registry.RegisterOrder(*OrderOf(no, {1}, "A-100", "1"), file, "", true));
  }
  EXPECT_TRUE(registry.DeleteEntries({"A"}, false, false));
  EXPECT_TRUE(fs::exists(Orders() / "A.rfo370"));
  EXPECT_FALSE(fs::exists(DiskPath(config_.RecycledDir)));
  ui_.SetAnswer(false);
  EXPECT_FALSE(registry.ArchiveEntries({"B"}, true));
  EXPECT_EQ(Messages(ui_, Kind::Question),
            std::vector<std::string>{"Поместить заказ в архив и удалить его из реестра?"});
  EXPECT_TRUE(registry.ArchiveEntries({"B", "C"}, false));
  EXPECT_EQ(Numbers(), std::vector<std::string>{});
  EXPECT_TRUE(fs::exists(DiskPath(config_.ArchiveDir) / "B.rfo"));
  EXPECT_TRUE(fs::exists(DiskPath(config_.ArchiveDir) / "C.rfo"));
  EXPECT_FALSE(fs::exists(Orders() / "B.rfo370"));
}

TEST_F(Registry, ClearingRemovesEveryRowAfterAskingAndKeepsTheFiles) {
  auto registry = Open();
  EXPECT_FALSE(registry.ClearRegistry());  // nothing to clear, nothing asked
  const fs::path file = SaveOrder("A", "a.rfo370");
  ASSERT_TRUE(registry.RegisterOrder(*OrderOf("A", {1}, "A-100", "1"), file, "", true));
  ui_.SetAnswer(false);
  EXPECT_FALSE(registry.ClearRegistry());
  EXPECT_EQ(Numbers().size(), 1u);
  ui_.SetAnswer(true);
  EXPECT_TRUE(registry.ClearRegistry());
  EXPECT_TRUE(Numbers().empty());
  EXPECT_TRUE(fs::exists(file));
  EXPECT_EQ(Messages(ui_, Kind::Question),
            std::vector<std::string>(2, "Очистить реестр заказов не удаляя файлы заказов?"));
}

TEST_F(Registry, NamedOrdersListTheRows) {
  auto registry = Open();
  struct Row {
    const char* no;
    double date;
    const char* customer;
    const char* object;
  } rows[] = {{"1", 43002, "b", "z"}, {"2", 43001, "c", "x"}, {"3", 43003, "a", "y"}};
  for (const auto& row : rows) {
    auto order = OrderOf(row.no, {1}, "A-100", "1");
    order->RegDate = row.date;
    order->Customer = row.customer;
    order->ObjectName = row.object;
    ASSERT_TRUE(registry.RegisterOrder(*order, Orders() / "x.rfo370", "", true));
  }
  const auto numbers = [&](TRegistryIndex index) {
    std::string text;
    for (const auto& row : registry.List(index))
      text += row.No;
    return text;
  };
  EXPECT_EQ(numbers(TRegistryIndex::Primary), "123");
  EXPECT_EQ(numbers(TRegistryIndex::Date), "213");
  EXPECT_EQ(numbers(TRegistryIndex::CustName), "312");
  EXPECT_EQ(numbers(TRegistryIndex::ObjName), "231");
}

// Two running copies register orders at the same time, some of them with the same numbers: every
// number ends up in exactly one whole row.
TEST_F(Registry, TwoCopiesRegisteringAtOnceLoseAndDuplicateNothing) {
  constexpr int kOwn = 40;
  constexpr int kShared = 20;
  std::vector<fs::path> shared;
  for (int i = 0; i < kShared; ++i)
    shared.push_back(SaveOrder("S-" + std::to_string(i), "s" + std::to_string(i) + ".rfo370"));
  Open();
  const auto run = [&](const std::string& copy) {
    const pid_t pid = ::fork();
    if (pid != 0)
      return pid;
    int status = 0;
    try {
      RecordingUi ui;
      TOrderRegistry registry(config_, ui);
      for (int i = 0; i < kOwn; ++i) {
        auto order = OrderOf(copy + std::to_string(i), {i + 1}, "A-100", "1");
        if (!registry.RegisterOrder(*order, Orders() / "x.rfo370", "", true))
          status = 1;
        registry.RegisterOrderFiles({shared[i % kShared]});
      }
    } catch (...) {
      status = 2;
    }
    ::_exit(status);
  };
  const pid_t first = run("P-");
  const pid_t second = run("Q-");
  for (const pid_t pid : {first, second}) {
    int status = -1;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  const auto rows = Open().List(TRegistryIndex::Primary);
  std::set<std::string> numbers;
  for (const auto& row : rows) {
    numbers.insert(row.No);
    EXPECT_FALSE(row.OrderFile.empty()) << row.No;
  }
  EXPECT_EQ(rows.size(), 2u * kOwn + kShared);
  EXPECT_EQ(numbers.size(), rows.size());
  EXPECT_EQ(Open().Find("P-39")->Cost, M("40"));
}

}  // namespace
}  // namespace rxf
