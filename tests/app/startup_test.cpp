#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "app/bootstrap.h"
#include "app/settings_store.h"
#include "app/startup.h"
#include "base/cp_literal.h"
#include "db/sql.h"
#include "db/table.h"
#include "support/temp_folder.h"
#include "table_dump.h"
#include "ui/recording_messages.h"

using base::Date;
using testing_support::TempFolder;
using testing_support::tableRows;

namespace {

// Records what start-up asks of the windows.
struct FakeHost : app::StartupHost {
    std::vector<std::string> calls;
    std::optional<std::string> password = std::string();
    std::function<void()> onSettings;
    void showSplash(const std::string&) override { calls.push_back("splash"); }
    void openSettingsWindow() override {
        calls.push_back("settings");
        if (onSettings) onSettings();
    }
    std::optional<std::string> askPassword() override {
        calls.push_back("password");
        return password;
    }
    void runFormFile(const std::string& path, int source) override {
        calls.push_back("run " + std::filesystem::path(path).filename().string() + " " + std::to_string(source));
    }
};

// Monday 07.12.2026 (a function: dates are not made during static initialisation).
Date monday() { return Date::fromYmd(2026, 12, 7); }

// A working folder whose setup.sdc points at a data folder beside it.
struct Workstation {
    TempFolder work, data;
    ui::RecordingMessages msgs;
    FakeHost host;
    explicit Workstation(const std::string& extraSettings = "!!!1!!!") {
        work.write("setup.sdc", "!l!122026!l!\r\n!S8Default!S8\r\niNDiND\r\nS%&" + data.path() + "S%&\r\n" + extraSettings);
    }
    app::SettingsStore store() { return app::SettingsStore(work.path(), msgs); }
    std::unique_ptr<app::Startup> startup(Date today = monday()) {
        return std::make_unique<app::Startup>(work.path(), today, msgs, host);
    }
};

}  // namespace

TEST(Bootstrap, EmptyFolderGetsExactlyTheDefaultRows) {
    Workstation ws;
    auto s = ws.startup();
    ASSERT_EQ(s->FormCreate(), app::StartOutcome::Continue) << (ws.msgs.lines.empty() ? "" : ws.msgs.lines[0]);
    const std::string d = ws.data.path();
    const auto tab = tableRows(d + "TAB.DBF");
    ASSERT_EQ(tab.size(), 15u);
    EXPECT_EQ(tab[0], "|КОД|КОД|0|D|KOD;N|+");
    EXPECT_EQ(tab[5], "|Фамилия И.О.|КО|25|D|FIO;C|+");
    EXPECT_EQ(tab[13], "020|Баланс|БАЛ|3|R|1/2/3/4/5/6/7/8/9/10/11/12/B#/П#/В#/ОТ/БЛ/УЧ/КО/БС/|+");
    EXPECT_EQ(tab[14], "021|Рабочие часы|ЧС|8|H|1/2/3/4/5/6/7/8/9/10/11/12/  (-#)|+");
    EXPECT_EQ(tableRows(d + "KOD_IND.DBF"), std::vector<std::string>{"0|00|00|000"});
    const auto sk = tableRows(d + "DANN_SK.DBF");
    ASSERT_EQ(sk.size(), 52u);
    EXPECT_EQ(sk[0], "KOD|КОД|N|0|10|||*|DANN.DBF|*||");
    EXPECT_EQ(sk[38], "MNTD||N|0|10||||DANN.DBF|*||");  // the blank caption, read trimmed
    EXPECT_EQ(sk[51], "FOTO|Foto|C|20|10|||*|DANN.DBF|*||");
    for (const char* empty : {"DANN.DBF", "NAZN.DBF", "PRAZ.DBF", "OTCHETK.DBF", "TEL_KN.DBF"})
        EXPECT_TRUE(tableRows(d + empty).empty()) << empty;
    for (const char* empty : {"TAB_FIL.DBF", "ERROR.DBF"}) EXPECT_TRUE(tableRows(ws.work.file(empty)).empty()) << empty;
    EXPECT_TRUE(testing_support::fieldNames(d + "NAZN.DBF").ends_with("FOTO:C20 OSN:C10 DATA1:D8"));
    EXPECT_NE(testing_support::fieldNames(d + "DANN.DBF").find("FOTO:C20"), std::string::npos);
    // working-folder copies
    EXPECT_EQ(tableRows(ws.work.file("DANN_SK.DBF")).size(), 52u);
    EXPECT_TRUE(ws.msgs.lines.size() == 0) << ws.msgs.lines[0];
    s->FormClose();
    const auto sim = tableRows(ws.work.file("SIM.DBF"));
    ASSERT_EQ(sim.size(), 1u);
    EXPECT_EQ(sim[0], "ZASTAVK.JPG||07.12.2026|");

    // A second start with TAB.DBF deleted recreates exactly its rows; the others stay.
    std::filesystem::remove(std::filesystem::path(d) / "TAB.DBF");
    db::SqlFolder(d).execute("INSERT INTO PRAZ.DBF (data, name_p) VALUES (\"01.01.2026\", \"x\")");
    auto again = ws.startup();
    ASSERT_EQ(again->FormCreate(), app::StartOutcome::Continue);
    EXPECT_EQ(tableRows(d + "TAB.DBF"), tab);
    EXPECT_EQ(tableRows(d + "PRAZ.DBF").size(), 1u);
    EXPECT_EQ(tableRows(d + "DANN_SK.DBF"), sk);
}

TEST(Bootstrap, DannFromAnExtendedDictionary) {
    Workstation ws;
    ASSERT_TRUE(app::createIfMissing(ws.data.path(), app::dannSkTable()));
    db::SqlFolder sql(ws.data.path());
    for (const char* row : {"(\"STAV\", \"F\", \"0\", \"\", \"DANN.DBF\")", "(\"ODD\", \"X\", \"4\", \"\", \"DANN.DBF\")",
                            "(\"VUS\", \"C\", \"7\", \"*\", \"VOEN.DBF\")"})
        ASSERT_TRUE(sql.execute(std::string("INSERT INTO DANN_SK.DBF (file_n, file_t, file_w, nazn, base) VALUES ") + row));
    ASSERT_TRUE(app::createFromDictionary({ws.work.path(), ws.data.path()}, app::DictionaryTarget::Dann, ws.msgs));
    ASSERT_TRUE(app::createFromDictionary({ws.work.path(), ws.data.path()}, app::DictionaryTarget::Nazn, ws.msgs));
    const std::string dann = testing_support::fieldNames(ws.data.file("DANN.DBF"));
    EXPECT_TRUE(dann.ends_with("FOTO:C20 STAV:N12")) << dann;
    EXPECT_EQ(dann.find("ODD"), std::string::npos);
    EXPECT_EQ(dann.find("VUS"), std::string::npos);
    const std::string nazn = testing_support::fieldNames(ws.data.file("NAZN.DBF"));
    EXPECT_NE(nazn.find("FOTO:C20 VUS:C7 OSN:C10 DATA1:D8"), std::string::npos) << nazn;
}

TEST(Bootstrap, CopBasRefreshesPacksAndReportsABusyCopy) {
    Workstation ws;
    const app::Folders folders{ws.work.path(), ws.data.path()};
    app::CopBas(folders, "POD.DBF", ws.msgs);  // no source, no copy: nothing happens
    EXPECT_FALSE(std::filesystem::exists(ws.work.file("POD.DBF")));
    db::SqlFolder sql(ws.data.path());
    ASSERT_TRUE(sql.execute("CREATE TABLE \"POD.DBF\" (POD CHARACTER(20), B_KOD CHARACTER(2))"));
    for (const char* code : {"01", "02", "03"})
        ASSERT_TRUE(sql.execute(std::string("INSERT INTO POD.DBF (POD, B_KOD) VALUES (\"d\", \"") + code + "\")"));
    ASSERT_TRUE(sql.execute("DELETE FROM POD.DBF WHERE B_KOD = \"02\""));
    app::CopBas(folders, "POD.DBF", ws.msgs);
    EXPECT_EQ(tableRows(ws.work.file("POD.DBF")), (std::vector<std::string>{"d|01", "d|03"}));
    {
        auto t = db::Table::open(ws.work.file("POD.DBF"), db::OpenMode::Shared);
        ASSERT_TRUE(t);
        app::CopBas(folders, "POD.DBF", ws.msgs);
    }
    EXPECT_EQ(ws.msgs.lines, std::vector<std::string>{"SOOB: Ошибка | База занята | "});
}

TEST(Startup, FirstStartInAnEmptyFolderUsesTheHomeDataFolder) {
    TempFolder home, work;
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", home.path().c_str(), 1);
    ui::RecordingMessages msgs;
    FakeHost host;
    {
        app::Startup s(work.path(), monday(), msgs, host);
        ASSERT_EQ(s.FormCreate(), app::StartOutcome::Continue) << (msgs.lines.empty() ? "" : msgs.lines[0]);
        EXPECT_EQ(s.values().dataFolder, "C:\\VLT_KADR\\NET_KADR\\");
        EXPECT_EQ(s.values().workstation, "1");
        EXPECT_EQ(s.values().fontName, "Default");
        EXPECT_EQ(s.values().fontSize, 10);
        EXPECT_EQ(s.values().month.stored(), "122026");
        s.FormClose();
    }
    setenv("HOME", oldHome.c_str(), 1);
    EXPECT_TRUE(msgs.lines.empty()) << msgs.lines[0];
    // the five defaults in order, then what start-up wrote behind them
    EXPECT_TRUE(work.read("setup.sdc").starts_with(
        "!l!122026!l!\r\n!S8Default!S8\r\niNDiND\r\nS%&C:\\VLT_KADR\\NET_KADR\\S%&\r\n!!!1!!!\r\nPV20PV2"))
        << work.read("setup.sdc");
    EXPECT_EQ(tableRows(home.file("VLT_KADR/NET_KADR/TAB.DBF")).size(), 15u);
    EXPECT_TRUE(std::filesystem::exists(home.file("VLT_KADR/NET_KADR/setup.sdc")));
    for (const char* f : {"zarp_frm", "soobfrm", "Delet.sdc", "a1.txt"}) EXPECT_TRUE(std::filesystem::exists(work.file(f))) << f;
}

TEST(Startup, SecondCopyInTheSameFolderIsRefused) {
    Workstation ws;
    ws.work.write("DOCUM/FRMK/END_VX.FRM", "");
    auto first = ws.startup();
    ASSERT_EQ(first->FormCreate(), app::StartOutcome::Continue);
    // another process, like a second start of the program
    const pid_t child = fork();
    if (child == 0) {
        ui::RecordingMessages msgs;
        FakeHost host;
        app::Startup second(ws.work.path(), monday(), msgs, host);
        const bool refused = second.FormCreate() == app::StartOutcome::Terminate;
        second.FormClose();
        const bool message = !msgs.lines.empty() &&
                             msgs.lines.back() == "SOOB:  Программа запущена  |  cм. линейка \"Пуск\" |  или не установлен драйвер BDE ";
        _exit(refused && message && host.calls.empty() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    // the same process trying again is refused too
    FakeHost host2;
    ui::RecordingMessages msgs2;
    app::Startup again(ws.work.path(), monday(), msgs2, host2);
    EXPECT_EQ(again.FormCreate(), app::StartOutcome::Terminate);
    again.FormClose();
    EXPECT_TRUE(host2.calls.empty());  // no exit script for a refused copy
    EXPECT_EQ(first->FirstActivate(), app::StartOutcome::Continue);
    first->FormClose();
    EXPECT_EQ(ws.host.calls.back(), "run END_VX.FRM 0");
}

TEST(Startup, NetworkCheckRetriesThroughTheSettingsWindow) {
    Workstation ws;
    TempFolder chosen;  // empty folder the user types in
    ws.work.write("setup.sdc", "!l!122026!l!\r\n!!!1!!!\r\nS%&/nonexistent/kadry/S%&");
    ws.host.onSettings = [&] {
        std::string path = chosen.path();
        path.pop_back();  // typed without its trailing separator
        ws.store().WriteSetup("S%&", path);
    };
    auto s = ws.startup();
    ASSERT_EQ(s->FormCreate(), app::StartOutcome::Continue);
    EXPECT_EQ(ws.msgs.lines.at(0), "SOOB: Сеть не обнаружена | Укажите правильный путь | до сервера");
    EXPECT_EQ(s->values().dataFolder, chosen.path().substr(0, chosen.path().size() - 1) + "\\");
    EXPECT_EQ(tableRows(chosen.file("TAB.DBF")).size(), 15u);
    s->FormClose();

    Workstation lost;
    lost.work.write("setup.sdc", "!!!1!!!\r\nS%&/nonexistent/kadry/S%&");
    lost.work.write("DOCUM/FRMK/END_VX.FRM", "");
    auto t = lost.startup();
    EXPECT_EQ(t->FormCreate(), app::StartOutcome::Terminate);
    EXPECT_EQ(lost.msgs.lines.back(), "SOOB:  Сеть повторно не обнаружена  |  Работа программы прервана  | ");
    t->FormClose();
    EXPECT_EQ(lost.host.calls, std::vector<std::string>{"settings"});
}

TEST(Startup, PasswordHolidaysAndStartScript) {
    struct Case {
        const char* settings;
        std::optional<std::string> typed;
        bool works;
        bool asked;
    };
    const Case cases[] = {
        {"!!!1!!!", "", true, false},                           // no access password: not asked
        {"!!!1!!!#~#secret#~#", "  secret ", true, true},
        {"!!!1!!!#~#secret#~##4#adm#4#", "adm", true, true},
        {"!!!1!!!#~#secret#~#", "", false, true},              // blank against an empty admin password
        {"!!!1!!!#~#secret#~#", std::nullopt, false, true},    // "  Выход  "
        {"!!!1!!!#~#secret#~#", "58374625", true, true},
    };
    for (const Case& c : cases) {
        Workstation ws(c.settings);
        ws.data.write("DOCUM/FRMK/BEG_VX.FRM", "");
        ws.work.write("DOCUM/FRMK/END_VX.FRM", "");
        ws.host.password = c.typed;
        auto s = ws.startup();
        ASSERT_EQ(s->FormCreate(), app::StartOutcome::Continue);
        EXPECT_EQ(s->FirstActivate() == app::StartOutcome::Continue, c.works) << c.settings;
        s->FormClose();
        std::vector<std::string> expected;
        if (c.asked) expected.push_back("password");
        if (c.works) expected.insert(expected.end(), {"run BEG_VX.FRM 0", "run END_VX.FRM 0"});
        EXPECT_EQ(ws.host.calls, expected) << c.settings;
        // the holidays reminder only after an accepted password (empty PRAZ.DBF)
        EXPECT_EQ(ws.msgs.lines.size(), c.works ? 1u : 0u);
    }
}

TEST(Startup, HolidayGreetingAndReminder) {
    Workstation ws;
    auto s = ws.startup(Date::fromYmd(2026, 12, 26));
    ASSERT_EQ(s->FormCreate(), app::StartOutcome::Continue);
    db::SqlFolder sql(ws.data.path());
    for (int m = 1; m <= 8; ++m)
        sql.execute("INSERT INTO PRAZ.DBF (data, name_p) VALUES (\"01.0" + std::to_string(m) + ".2026\", \"h\")");
    sql.execute("INSERT INTO PRAZ.DBF (data, name_p) VALUES (\"31.12.2026\", \"" + "Новый год"_cp + "\")");
    sql.execute("CREATE TABLE \"INFORG.DBF\" (NAME CHARACTER(40))");
    sql.execute("INSERT INTO INFORG.DBF (NAME) VALUES (\"" + "Завод"_cp + "\")");
    app::CopBas(s->folders(), "INFORG.DBF", ws.msgs);
    ASSERT_EQ(s->FirstActivate(), app::StartOutcome::Continue);
    ASSERT_EQ(ws.msgs.lines.size(), 1u);
    EXPECT_EQ(ws.msgs.lines[0], "SOOB:  Поздравляем Завод!  | 31.12.2026 - Новый год | ");
    EXPECT_EQ(ws.msgs.pictures[0], "PRAZ.JPG");
    s->FormClose();
}

TEST(Startup, SettingsDefaultsAndWorkstationRules) {
    Workstation ws;
    ws.work.write("setup.sdc", "!l!122026!l!\r\n!S8!S8!S9 big !S9\r\nS%&" + ws.data.path() +
                                   "S%&\r\n!!!2!!!PV7PV7\r\nPV5XPV5");
    auto s = ws.startup(Date::fromYmd(2026, 3, 5));
    ASSERT_EQ(s->FormCreate(), app::StartOutcome::Continue);
    auto store = ws.store();
    EXPECT_EQ(s->values().fontName, "MS Sans Serif");
    EXPECT_EQ(store.ReadSetup("!S8"), "MS Sans Serif");
    EXPECT_EQ(s->values().fontSize, 10);
    EXPECT_EQ(s->values().language, "");
    EXPECT_EQ(s->values().month.stored(), "122026");
    for (const char* m : {"PV1", "PV2", "PV4", "PV7"}) EXPECT_EQ(store.ReadSetup(m), "0") << m;
    EXPECT_EQ(s->values().settingsLock, "1");  // workstation 2: locked for this run only
    s->FormClose();

    Workstation bad("!!!1!!!");
    bad.work.write("setup.sdc", "S%&" + bad.data.path() + "S%&!l!ab2026!l!");
    auto t = bad.startup(Date::fromYmd(2026, 3, 5));
    ASSERT_EQ(t->FormCreate(), app::StartOutcome::Continue);
    EXPECT_EQ(t->values().month.stored(), "032026");  // non-numeric month: the current one
}

TEST(Startup, SeniorityRefreshOnTheMainWorkstationOnly) {
    for (const char* station : {"1", "2"}) {
        Workstation ws(std::string("!!!") + station + "!!!");
        auto s = ws.startup(Date::fromYmd(2026, 5, 31));
        ASSERT_EQ(s->FormCreate(), app::StartOutcome::Continue);
        s->FormClose();
        db::SqlFolder sql(ws.data.path());
        ASSERT_TRUE(sql.execute("INSERT INTO DANN.DBF (KOD, NTD, MNTD, NPD, DATA_ISP, DATA_DOG) VALUES "
                                "(1, \"01.06.2000\", 0, \"15.05.2010\", \"01.01.2030\", \"01.01.2020\")"));
        ASSERT_TRUE(sql.execute("INSERT INTO DANN.DBF (KOD) VALUES (2)"));
        auto again = ws.startup(Date::fromYmd(2026, 5, 31));
        ASSERT_EQ(again->FormCreate(), app::StartOutcome::Continue);
        auto t = db::Table::open(ws.data.file("DANN.DBF"));
        ASSERT_TRUE(t);
        db::Table& dann = **t;
        dann.first();
        if (std::string(station) == "1") {
            EXPECT_EQ(dann.text("STAG"), "25");
            EXPECT_EQ(dann.text("TSTAG"), "16");
            EXPECT_EQ(dann.text("PSTAG"), "0");
            EXPECT_EQ(dann.text("DATA_ISP"), "01.01.2030");
            EXPECT_EQ(dann.text("DATA_DOG"), "01.01.2000");
            dann.next();
            EXPECT_EQ(dann.text("STAG"), "0");  // empty start date
            EXPECT_EQ(dann.text("DATA_ISP"), "01.01.2000");
        } else {
            EXPECT_EQ(dann.text("STAG"), "");
            EXPECT_EQ(dann.text("DATA_DOG"), "01.01.2020");
        }
    }
}

TEST(Startup, AutomaticBackup) {
    Workstation ws;
    TempFolder arx;
    ws.work.write("setup.sdc", ws.work.read("setup.sdc") + "\r\n5%&1000006.12.2026" + arx.path() + "5%&");
    {
        auto s = ws.startup(monday());
        ASSERT_EQ(s->FormCreate(), app::StartOutcome::Continue);
        s->FormClose();
    }
    EXPECT_TRUE(std::filesystem::exists(arx.file("setup.sdc")));
    EXPECT_EQ(ws.store().ReadSetup("5%&"), "1000007.12.2026" + arx.path());
    // the same day again, and a Saturday: nothing copied
    std::filesystem::remove(arx.file("setup.sdc"));
    for (Date day : {monday(), Date::fromYmd(2026, 12, 12)}) {
        auto s = ws.startup(day);
        ASSERT_EQ(s->FormCreate(), app::StartOutcome::Continue);
        s->FormClose();
        EXPECT_FALSE(std::filesystem::exists(arx.file("setup.sdc")));
    }
    // a failed copy keeps the old date and says so
    ws.store().WriteSetup("5%&", "1111106.12.2026/proc/kadry-no-such/");
    auto s = ws.startup(Date::fromYmd(2026, 12, 8));
    ASSERT_EQ(s->FormCreate(), app::StartOutcome::Continue);
    EXPECT_EQ(ws.store().ReadSetup("5%&"), "1111106.12.2026/proc/kadry-no-such/");
    EXPECT_EQ(ws.msgs.lines.back().rfind("SOOB:  Архивная копия не сделана  |  Не скопированы: ", 0), 0u)
        << ws.msgs.lines.back();
}

TEST(Startup, OnlyAStaleJournalLockIsRemoved) {
    Workstation ws;
    ws.data.write("add_doc", "x");
    {
        auto s = ws.startup();
        ASSERT_EQ(s->FormCreate(), app::StartOutcome::Continue);
        s->FormClose();
    }
    EXPECT_TRUE(std::filesystem::exists(ws.data.file("add_doc")));
    std::filesystem::last_write_time(ws.data.file("add_doc"),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::minutes(11));
    auto s = ws.startup();
    ASSERT_EQ(s->FormCreate(), app::StartOutcome::Continue);
    EXPECT_FALSE(std::filesystem::exists(ws.data.file("add_doc")));
}
