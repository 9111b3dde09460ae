#pragma once
// A small data folder for the records operations: the built-in dictionary
// (plus the rate field STAV as a user field), DANN.DBF and NAZN.DBF made
// from it, the code counter, departments, positions and the history tables.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/bootstrap.h"
#include "app/catalogue.h"
#include "app/field_dictionary.h"
#include "base/cp1251.h"
#include "base/cp_literal.h"
#include "db/sql.h"
#include "records/records_context.h"
#include "records/runtime_forms.h"
#include "support/temp_folder.h"
#include "ui/recording_messages.h"

namespace records_test {

inline std::string cp(const std::string& utf8) { return base::utf8ToCp1251(utf8); }
inline std::string utf(const std::string& cp1251) { return base::cp1251ToUtf8(cp1251); }

class RecordsFixture {
public:
    RecordsFixture() {
        const app::Folders folders{work.path(), data.path()};
        ok(app::createIfMissing(data.path(), app::dannSkTable()));
        ok(app::createIfMissing(data.path(), app::kodIndTable()));
        sql("INSERT INTO DANN_SK.DBF (file_n, file_c, file_t, file_w, file_v, base, vis) VALUES "
            "(\"STAV\", \"Ставка\", \"F\", \"0\", \"40\", \"DANN.DBF\", \"*\")");
        sql("INSERT INTO DANN_SK.DBF (file_n, file_c, file_t, file_w, file_v, base, vis) VALUES "
            "(\"ADRES2\", \"Адрес 2\", \"C\", \"30\", \"60\", \"DANN.DBF\", \"*\")");
        sql("INSERT INTO DANN_SK.DBF (file_n, file_c, file_t, file_w, file_v, base, vis) VALUES "
            "(\"DETI\", \"Дети\", \"N\", \"0\", \"30\", \"DANN.DBF\", \"*\")");
        ok(app::createFromDictionary(folders, app::DictionaryTarget::Dann, messages));
        ok(app::createFromDictionary(folders, app::DictionaryTarget::Nazn, messages));
        sql("CREATE TABLE POD.DBF (POD CHARACTER(50), B_KOD CHARACTER(2), BB_K CHARACTER(2))");
        sql("INSERT INTO POD.DBF (POD, B_KOD, BB_K) VALUES (\"Бухгалтерия\", \"03\", \"01\")");
        sql("CREATE TABLE DOL.DBF (DOL CHARACTER(50), KDOL CHARACTER(5), DOL1 FLOAT(12,2), RAZR CHARACTER(3), "
            "KLAS CHARACTER(3), KAT CHARACTER(20), STAT FLOAT(12,2), S_STAT FLOAT(12,2))");
        sql("INSERT INTO DOL.DBF (DOL, KDOL, DOL1, RAZR, KLAS, KAT, STAT, S_STAT) VALUES "
            "(\"Бухгалтер\", \"7\", 1500, \"5\", \"2\", \"Специалист\", 2, 0)");
        sql("CREATE TABLE BOLL.DBF (KOD INTEGER, DATA1 DATE, DATA2 DATE, KOL_D INTEGER, NBOL CHARACTER(10), "
            "MET CHARACTER(1), DIAG CHARACTER(40), DAT CHARACTER(4), MET_T CHARACTER(1))");
        sql("CREATE TABLE OTP.DBF (KOD INTEGER, DATA1 DATE, KOL_D INTEGER, DATA2 DATE, OTPER CHARACTER(20), "
            "S_DATA1 DATE, S_DATA2 DATE, OTP CHARACTER(1), DATA3 DATE, MET_T CHARACTER(1))");
        sql("CREATE TABLE KOM.DBF (KOD INTEGER, DATA1 DATE, DATA2 DATE, NOMKOM CHARACTER(10), DATA3 DATE, "
            "KOM CHARACTER(40), MET_T CHARACTER(1))");
        auto d = app::loadDictionary(data.file("DANN_SK.DBF"));
        ok(d.status());
        dict = *d;
        ctx.workFolder = work.path();
        ctx.dataFolder = data.path();
        ctx.workstation = "2";
        ctx.firstOfMonth = base::Date::fromYmd(2010, 3, 1);
        ctx.today = base::Date::fromYmd(2010, 3, 17);
        ctx.messages = &messages;
    }

    static void ok(const base::Status& st) { ASSERT_TRUE(st.isOk()) << utf(st.message()); }

    // Runs a statement written in UTF-8.
    int64_t sql(const std::string& utf8, const std::vector<db::SqlParam>& params = {}) {
        db::SqlFolder f(data.path());
        auto r = f.execute(cp(utf8), params);
        EXPECT_TRUE(r.isOk()) << utf8 << ": " << utf(r.status().message());
        return r ? *r : -1;
    }

    // A card with the given fields (UTF-8 values) and code.
    void addCard(int64_t code, const std::map<std::string, std::string>& fields) {
        std::string cols = "KOD", vals = ":KOD";
        std::vector<db::SqlParam> params{{"KOD", std::to_string(code)}};
        for (const auto& [k, v] : fields) {
            cols += ", " + k;
            vals += ", :" + k;
            params.push_back({k, cp(v)});
        }
        sql("INSERT INTO DANN.DBF (" + cols + ") VALUES (" + vals + ")", params);
    }

    // The rows of `table` (optionally WHERE KOD = code) as "a|b|c" in UTF-8.
    std::vector<std::string> rows(const std::string& table, const std::vector<std::string>& columns,
                                  int64_t code = -1) {
        db::SqlFolder f(data.path());
        std::string st = "Select * From " + table;
        std::vector<db::SqlParam> params;
        if (code >= 0) {
            st += " WHERE KOD = :kod";
            params.push_back({"kod", std::to_string(code)});
        }
        auto r = f.query(st, params);
        EXPECT_TRUE(r.isOk()) << utf(r.status().message());
        std::vector<std::string> out;
        if (!r) return out;
        for ((*r)->first(); !(*r)->eof(); (*r)->next()) {
            std::string line;
            for (size_t i = 0; i < columns.size(); ++i) {
                if (i) line += "|";
                line += utf((*r)->text(columns[i]));
            }
            out.push_back(line);
        }
        return out;
    }

    std::string counter() { return rows("KOD_IND.DBF", {"KOD"})[0]; }

    testing_support::TempFolder work, data;
    ui::RecordingMessages messages;
    records::RecordsContext ctx;
    app::Dictionary dict;
};

// The run-time form stand-in: records what it was opened with and writes
// the given doc_frm (nothing when `answer` is empty: not confirmed).
class FormStandIn : public records::RuntimeForms {
public:
    explicit FormStandIn(const testing_support::TempFolder& work) : work_(work) {}
    void open(const std::string& title, const records::FormFiles& files) override {
        titles.push_back(utf(title));
        opened.push_back(files[0]);
        docBuf = work_.read("doc_buf");
        if (!answer.empty()) work_.write("doc_frm", cp(answer));
    }
    std::string answer;  // UTF-8 doc_frm content
    std::vector<std::string> titles, opened;
    std::string docBuf;

private:
    const testing_support::TempFolder& work_;
};

}  // namespace records_test
