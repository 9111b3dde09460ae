#include <gtest/gtest.h>

#include "app/backup.h"
#include "app/seniority.h"
#include "app/startup_checks.h"
#include "support/temp_folder.h"

using base::Date;

namespace {
Date d(int y, int m, int day) { return Date::fromYmd(y, m, day); }
}  // namespace

TEST(StartupPassword, Cases) {
    struct Case {
        const char* typed;
        const char* access;
        const char* admin;
        bool accepted;
    };
    const Case cases[] = {
        {"secret", "secret", "", true},
        {"  secret  ", " secret ", "", true},   // blanks trimmed on both sides
        {"adm", "secret", "adm", true},         // the administrator password too
        {"58374625", "secret", "", true},       // the master password
        {"wrong", "secret", "adm", false},
        {"", "secret", "", false},              // blank typed must not match an empty admin password
        {"   ", "secret", "   ", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(app::startupPasswordAccepted(c.typed, c.access, c.admin), c.accepted) << c.typed << "/" << c.admin;
}

TEST(StartupHolidays, CountAndGreetingWindow) {
    const Date today = d(2026, 12, 26);
    std::vector<app::Holiday> rows;
    for (int i = 1; i <= 8; ++i) rows.push_back({d(2026, i, 1), "H"});
    rows.push_back({d(2025, 5, 9), "old"});  // neither this nor next year
    auto check = app::checkHolidays(rows, today);
    EXPECT_EQ(check.countThisAndNextYear, 8);
    EXPECT_TRUE(check.remind());
    EXPECT_EQ(check.greeting, "");

    rows.push_back({d(2026, 12, 31), "  New Year  "});  // 5 days ahead: greeting
    check = app::checkHolidays(rows, today);
    EXPECT_FALSE(check.remind());
    EXPECT_EQ(check.greeting, "31.12.2026 - New Year");

    rows.back().date = d(2027, 1, 1);  // 6 days ahead: none, but it still counts (next year)
    check = app::checkHolidays(rows, today);
    EXPECT_EQ(check.greeting, "");
    EXPECT_EQ(check.countThisAndNextYear, 9);
}

TEST(StartupValues, MonthAndFontSizeFallBacks) {
    const Date today = d(2026, 12, 11);
    const struct {
        const char* stored;
        int month, year;
    } months[] = {{"032025", 3, 2025}, {"", 12, 2026}, {"ab2025", 12, 2026}, {"132025", 12, 2026}, {"03x", 12, 2026}};
    for (const auto& c : months) {
        const auto m = app::accountingMonthFrom(c.stored, today);
        EXPECT_EQ(m.month, c.month) << c.stored;
        EXPECT_EQ(m.year, c.year) << c.stored;
        EXPECT_EQ(m.firstDay, d(c.year, c.month, 1));
    }
    EXPECT_EQ(app::accountingMonthFrom("", today).stored(), "122026");
    const std::pair<const char*, int> sizes[] = {{"", 10}, {"   ", 10}, {"12", 12}, {" 14 ", 14}, {"big", 10}, {"0", 10}};
    for (const auto& [text, size] : sizes) EXPECT_EQ(app::fontSizeFrom(text), size) << text;
}

TEST(Seniority, WholeYears) {
    EXPECT_EQ(app::wholeYears(d(2000, 5, 31), d(2026, 5, 1)), 26);  // the day is not considered
    EXPECT_EQ(app::wholeYears(d(2000, 6, 1), d(2026, 5, 31)), 25);
    EXPECT_EQ(app::wholeYears(d(2027, 1, 1), d(2026, 5, 31)), 0);
    EXPECT_EQ(app::wholeYears(Date(), d(2026, 5, 31)), 0);  // empty start: no seniority
}

TEST(Backup, SettingAndDueDays) {
    const Date monday = d(2026, 12, 7);
    auto s = app::parseBackupSetting("1000006.12.2026/home/user/a very long backup folder name beyond thirty/");
    EXPECT_EQ(s.flags, "10000");
    EXPECT_EQ(s.lastDate, d(2026, 12, 6));
    EXPECT_EQ(s.folder, "/home/user/a very long backup folder name beyond thirty/");
    EXPECT_TRUE(app::backupDue(s, monday));
    EXPECT_FALSE(app::backupDue(s, d(2026, 12, 8)));   // Tuesday's flag is 0
    EXPECT_FALSE(app::backupDue(s, d(2026, 12, 12)));  // Saturday
    s.lastDate = monday;
    EXPECT_FALSE(app::backupDue(s, monday));           // already done today
    EXPECT_EQ(app::formatBackupSetting(s), "1000007.12.2026/home/user/a very long backup folder name beyond thirty/");

    EXPECT_EQ(app::parseBackupSetting("1000006/12/2026C:\\ARX").lastDate, d(2026, 12, 6));
    auto garbage = app::parseBackupSetting("10000xx.yy.zzzzC:\\ARX");  // unreadable: never backed up
    EXPECT_TRUE(garbage.lastDate.isEmpty());
    EXPECT_TRUE(app::backupDue(garbage, monday));
    EXPECT_FALSE(app::backupDue(app::parseBackupSetting("0000006.12.2026C:\\ARX"), monday));
}

TEST(Backup, CopiesTablesWithCompanionsAndReportsFailures) {
    testing_support::TempFolder src, dst;
    for (const char* n : {"DANN.DBF", "DANN.DBT", "DOL.MDX", "setup.sdc", "notes.txt"}) src.write(n, n);
    const auto failed = app::copyBackup(src.path(), dst.path() + "arx/");
    EXPECT_TRUE(failed.empty());
    for (const char* n : {"DANN.DBF", "DANN.DBT", "DOL.MDX", "setup.sdc"}) EXPECT_EQ(dst.read(std::string("arx/") + n), n);
    EXPECT_EQ(dst.read("arx/notes.txt"), "");
    dst.write("blocked", "x");  // a file where the folder should be
    EXPECT_FALSE(app::copyBackup(src.path(), dst.path() + "blocked/").empty());
}
