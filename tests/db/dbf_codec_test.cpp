// The on-disk codec: damaged headers, value encoding, code pages, memo files.
#include <gtest/gtest.h>

#include <cstring>

#include "db/table_ops.h"

#include "db/dbf_format.h"
#include "db/dbf_values.h"
#include "table_fixture.h"

using namespace testing_support;
using db::FieldType;

namespace {

// A sound table file: one C(5) field, `count` records.
std::string soundFile(uint32_t count) {
    db::DbfHeader h = db::makeHeader({field("NAME", FieldType::Character, 5)}, false);
    h.recordCount = count;
    std::string bytes = db::encodeHeader(h);
    for (uint32_t i = 0; i < count; ++i) bytes += " abcde";
    return bytes + "\x1A";
}

}  // namespace

TEST(DbfHeader, DamagedHeadersFailOrOpenAsFarAsSound) {
    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        bool opens;
        uint32_t records;
    };
    const std::vector<Case> cases = {
        {"sound", [](std::string&) {}, true, 3},
        {"truncated below 32 bytes", [](std::string& b) { b.resize(20); }, false, 0},
        {"header length past the end", [](std::string& b) { db::putU16(b.data() + 8, 5000); }, false, 0},
        {"record size 0", [](std::string& b) { db::putU16(b.data() + 10, 0); }, false, 0},
        {"fields longer than the record", [](std::string& b) { db::putU16(b.data() + 10, 3); }, false, 0},
        {"descriptor overrun", [](std::string& b) { db::putU16(b.data() + 8, 50); b[32 + 32] = 'X'; }, false, 0},
        {"count larger than the file", [](std::string& b) { db::putU32(b.data() + 4, 1000); }, true, 3},
        {"last record cut", [](std::string& b) { b.resize(b.size() - 4); }, true, 2},
        {"zero-length field", [](std::string& b) { b[32 + 16] = 0; }, false, 0},
    };
    for (const Case& c : cases) {
        std::string bytes = soundFile(3);
        c.damage(bytes);
        auto h = db::decodeHeader(bytes, int64_t(bytes.size()));
        EXPECT_EQ(h.isOk(), c.opens) << c.what;
        if (h.isOk()) {
            EXPECT_EQ(h->soundRecordCount, c.records) << c.what;
            EXPECT_EQ(h->header.fields.size(), 1u) << c.what;
        } else {
            EXPECT_FALSE(h.status().message().empty()) << c.what;
        }
    }
}

TEST(DbfHeader, WritesUpperCaseNamesAndLanguageDriver1251) {
    db::DbfHeader h = db::makeHeader({field("nameL", FieldType::Character, 25), field("Data1", FieldType::Date, 8)},
                                     false);
    const std::string bytes = db::encodeHeader(h) + "\x1A";
    EXPECT_EQ(uint8_t(bytes[0]), 0x03);
    EXPECT_EQ(uint8_t(bytes[29]), 0xC9);
    EXPECT_EQ(std::string(bytes.data() + 32, 5), "NAMEL");
    EXPECT_EQ(std::string(bytes.data() + 64, 5), "DATA1");
    auto back = db::decodeHeader(bytes, int64_t(bytes.size()));
    ASSERT_TRUE(back.isOk());
    EXPECT_TRUE(back->problems.empty());
    EXPECT_EQ(back->header.recordLength, 1 + 25 + 8);
}

TEST(DbfValues, ValuesThatDoNotFitAreErrorsNeverCuts) {
    struct Case {
        db::FieldDef f;
        std::string in;
        bool ok;
        std::string stored;
    };
    const std::vector<Case> cases = {
        {field("C", FieldType::Character, 5), "abc", true, "abc  "},
        {field("C", FieldType::Character, 5), "abcde   ", true, "abcde"},  // trailing blanks are no content
        {field("C", FieldType::Character, 5), "abcdef", false, ""},
        {field("N", FieldType::Numeric, 6, 2), "1.005", true, "  1.00"},  // rounded to the decimals (binary 1.00499..)
        {field("N", FieldType::Numeric, 6, 2), "12.345", true, " 12.35"},
        {field("N", FieldType::Numeric, 6, 2), "-0.001", true, "  0.00"},
        {field("N", FieldType::Numeric, 6, 2), "999.99", true, "999.99"},
        {field("N", FieldType::Numeric, 6, 2), "1000", false, ""},
        {field("N", FieldType::Numeric, 4), "-123", true, "-123"},
        {field("N", FieldType::Numeric, 4), "-1234", false, ""},
        {field("N", FieldType::Numeric, 4), "", true, "    "},
        {field("N", FieldType::Numeric, 4), "12a", false, ""},
        {field("D", FieldType::Date, 8), "01.03.2010", true, "20100301"},
        {field("D", FieldType::Date, 8), "01.03.10", true, "20100301"},
        {field("D", FieldType::Date, 8), "", true, "        "},
        {field("D", FieldType::Date, 8), "31.02.2010", false, ""},
        {field("L", FieldType::Logical, 1), ".T.", true, "T"},
        {field("L", FieldType::Logical, 1), "f", true, "F"},
        {field("L", FieldType::Logical, 1), "maybe", false, ""},
    };
    for (const Case& c : cases) {
        std::string slot(std::size_t(c.f.length), '#');
        base::Status s = db::encodeText(c.f, c.in, slot.data());
        EXPECT_EQ(s.isOk(), c.ok) << c.f.name << " <- '" << c.in << "': " << s.message();
        if (c.ok) {
            EXPECT_EQ(slot, c.stored) << c.f.name << " <- '" << c.in << "'";
        }
    }
}

TEST(DbfValues, ReadsStoredFormsIntoProgramTexts) {
    EXPECT_EQ(db::fieldText(field("C", FieldType::Character, 6), "ab    "), "ab");
    EXPECT_EQ(db::fieldText(field("N", FieldType::Numeric, 8, 2), " 1500.50"), "1500.5");
    EXPECT_EQ(db::fieldText(field("N", FieldType::Numeric, 8, 2), "        "), "");
    EXPECT_EQ(db::fieldText(field("D", FieldType::Date, 8), "20100301"), "01.03.2010");
    EXPECT_EQ(db::fieldText(field("D", FieldType::Date, 8), "        "), "");
    EXPECT_EQ(db::fieldText(field("L", FieldType::Logical, 1), "?"), "");
    const char intBytes[4] = {char(0xFE), char(0xFF), char(0xFF), char(0xFF)};
    EXPECT_EQ(db::fieldText(field("I", FieldType::Integer, 4), std::string_view(intBytes, 4)), "-2");
}

TEST(DbfTable, Cp866TablesReadAsCp1251) {
    TempFolder dir;
    db::DbfHeader h = db::makeHeader({field("FIO", FieldType::Character, 6)}, false);
    h.languageDriver = 0x26;
    h.recordCount = 1;
    // "Иванов" in code page 866.
    const std::string cp866 = "\x88\xA2\xA0\xAD\xAE\xA2";
    dir.write("OLD.DBF", db::encodeHeader(h) + " " + cp866 + "\x1A");
    auto t = openTable(dir.file("OLD.DBF"));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->codePage(), 866);
    EXPECT_EQ(t->text("fio"), "Иванов"_cp);
    EXPECT_TRUE(t->locate("FIO", "Иванов"_cp));
    // Written back in the file's own code page.
    ASSERT_TRUE(t->setText(0, "Петров"_cp).isOk());
    ASSERT_TRUE(t->post().isOk());
    t.reset();
    // Pack and sort keep the file's own code page.
    ASSERT_TRUE(db::packTable(dir.file("OLD.DBF")).isOk());
    ASSERT_TRUE(db::sortTable(dir.file("OLD.DBF"), "FIO").isOk());
    const std::string bytes = dir.read("OLD.DBF");
    EXPECT_EQ(uint8_t(bytes[29]), 0x26);
    EXPECT_EQ(bytes.substr(h.headerLength + 1, 6), "\x8F\xA5\xE2\xE0\xAE\xA2");
}

TEST(DbfTable, MemoTextsSurviveReopenInBothFlavors) {
    for (db::TableFlavor flavor : {db::TableFlavor::DBase3, db::TableFlavor::FoxPro}) {
        TempFolder dir;
        const std::string path = dir.file("M.DBF");
        ASSERT_TRUE(db::createTable(path, {field("ID", FieldType::Numeric, 4), field("NOTE", FieldType::Memo, 10)},
                                    flavor)
                        .isOk());
        const std::string longText = std::string(1500, 'x') + "\r\nконец"_cp;
        {
            auto t = openTable(path);
            appendRows(*t, {{"1", "first"}, {"2", longText}, {"3", ""}});
        }
        auto t = openTable(path);
        ASSERT_TRUE(t);
        EXPECT_EQ(t->versionByte(), flavor == db::TableFlavor::FoxPro ? 0xF5 : 0x83);
        EXPECT_EQ(column(*t, "NOTE"), (std::vector<std::string>{"first", longText, ""}));
        const std::string memoName = flavor == db::TableFlavor::FoxPro ? "M.FPT" : "M.DBT";
        EXPECT_GT(dir.read(memoName).size(), 2048u) << memoName;
        t.reset();
        ASSERT_TRUE(db::zapTable(path).isOk());  // an emptied table starts a fresh memo file
        EXPECT_EQ(dir.read(memoName).size(), 512u) << memoName;
        t = openTable(path);
        appendRows(*t, {{"4", "again"}});
        EXPECT_EQ(column(*t, "NOTE"), (std::vector<std::string>{"again"}));
    }
}

TEST(DbfTable, MissingMemoFileOpensReadOnlyAndSaysSo) {
    TempFolder dir;
    const std::string path = dir.file("M.DBF");
    ASSERT_TRUE(db::createTable(path, {field("NOTE", FieldType::Memo, 10)}).isOk());
    std::filesystem::remove(dir.file("M.DBT"));
    auto t = openTable(path);
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->isReadOnly());
    ASSERT_FALSE(t->problems().empty());
    EXPECT_FALSE(t->append().isOk());
}

namespace {

// A header with `fields` of version `version`, count 1, plus one record.
std::string oneRecordTable(uint8_t version, const db::FieldList& fields, const std::string& record) {
    db::DbfHeader h = db::makeHeader(fields, false);
    h.version = version;
    h.recordCount = 1;
    return db::encodeHeader(h) + " " + record + "\x1A";
}

}  // namespace

TEST(DbfTable, ReadsDBaseIVAndVisualFoxProFlavours) {
    TempFolder dir;
    // dBase IV with a memo: blocks start FF FF 08 00 and a length that counts those 8 bytes.
    std::string dbt(1024, '\0');
    db::putU32(dbt.data(), 2);
    db::putU16(dbt.data() + 20, 512);
    const std::string four = std::string("\xFF\xFF\x08\x00", 4) + std::string(4, '\0') + "dBase IV text";
    dbt.replace(512, four.size(), four);
    db::putU32(dbt.data() + 512 + 4, uint32_t(8 + 13));
    dir.write("D4.DBT", dbt);
    dir.write("D4.DBF", oneRecordTable(0x8B, {field("NOTE", FieldType::Memo, 10)}, "         1"));
    auto d4 = openTable(dir.file("D4.DBF"));
    ASSERT_TRUE(d4);
    EXPECT_EQ(d4->text("NOTE"), "dBase IV text");
    EXPECT_TRUE(d4->problems().empty());

    // Visual FoxPro: an integer field (4 bytes LE), a 4-byte memo pointer into an .FPT.
    std::string fpt(512 + 64, '\0');
    db::putBigU32(fpt.data(), 9);
    fpt[7] = 64;
    db::putBigU32(fpt.data() + 512, 1);
    db::putBigU32(fpt.data() + 516, 3);
    fpt.replace(520, 3, "fox");
    dir.write("VFP.FPT", fpt);
    std::string rec(8, '\0');
    db::putU32(rec.data(), uint32_t(-42));
    db::putU32(rec.data() + 4, 8);
    dir.write("VFP.DBF", oneRecordTable(0x30, {field("N", FieldType::Integer, 4), field("M", FieldType::Memo, 4)}, rec));
    auto vfp = openTable(dir.file("VFP.DBF"));
    ASSERT_TRUE(vfp);
    EXPECT_EQ(vfp->text("N"), "-42");
    EXPECT_EQ(vfp->text("M"), "fox");
    EXPECT_TRUE(vfp->isReadOnly());
    EXPECT_FALSE(vfp->edit().isOk());
}
