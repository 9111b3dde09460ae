#pragma once
// A small data folder for the organisation tests: groups, departments,
// cards, the staffing table and the code counter, made through local SQL.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp1251.h"
#include "base/cp_literal.h"
#include "db/sql.h"
#include "db/table.h"
#include "org/org_context.h"
#include "support/temp_folder.h"
#include "ui/recording_messages.h"

namespace org_test {

using namespace base::literals;

inline std::string u8(const std::string& cp) { return base::cp1251ToUtf8(cp); }
inline std::string cp(const std::string& utf8) { return base::utf8ToCp1251(utf8); }

class OrgData : public ::testing::Test {
protected:
    testing_support::TempFolder data, work;
    ui::RecordingMessages msgs;
    org::OrgContext ctx;
    db::SqlFolder sql{data.path()};

    void SetUp() override {
        ctx.dataFolder = data.path();
        ctx.workFolder = work.path();
        ctx.messages = &msgs;
        run("CREATE TABLE BPOD.DBF (BPOD CHARACTER(50), BB_K CHARACTER(2), COLOR CHARACTER(1))");
        run("CREATE TABLE POD.DBF (POD CHARACTER(50), B_KOD CHARACTER(2), BB_K CHARACTER(2), COLOR CHARACTER(1))");
        run("CREATE TABLE DANN.DBF (KOD INTEGER, FIO CHARACTER(30), POD CHARACTER(50), B_KOD CHARACTER(2), "
            "BB_K CHARACTER(2), KDOL CHARACTER(3), METKA CHARACTER(1))");
        run("CREATE TABLE DOL.DBF (dol CHARACTER(40), kdol CHARACTER(3), dol1 FLOAT(12,2), razr INTEGER, "
            "klas CHARACTER(2), kat CHARACTER(10), stat INTEGER, s_stat INTEGER, color CHARACTER(15), "
            "color1 CHARACTER(15))");
        run("CREATE TABLE KOD_IND.DBF (kod INTEGER, b_kod CHARACTER(2), bb_k CHARACTER(2), kdol CHARACTER(3))");
        run("INSERT INTO KOD_IND.DBF (kod, b_kod, bb_k, kdol) VALUES (0, \"00\", \"00\", \"000\")");
    }

    void run(const std::string& utf8Statement, const std::vector<db::SqlParam>& params = {}) {
        auto r = sql.execute(cp(utf8Statement), params);
        ASSERT_TRUE(r.isOk()) << utf8Statement << ": " << u8(r.status().message());
    }

    void group(const std::string& code, const std::string& name) {
        run("INSERT INTO BPOD.DBF (BPOD, BB_K) VALUES (:n, :c)", {{"n", cp(name)}, {"c", code}});
    }
    void department(const std::string& code, const std::string& groupCode, const std::string& name) {
        run("INSERT INTO POD.DBF (POD, B_KOD, BB_K) VALUES (:n, :c, :g)", {{"n", cp(name)}, {"c", code}, {"g", groupCode}});
    }
    void card(int kod, const std::string& dept, const std::string& groupCode, const std::string& deptName,
              const std::string& kdol = "", const std::string& metka = "R") {
        run("INSERT INTO DANN.DBF (KOD, FIO, POD, B_KOD, BB_K, KDOL, METKA) VALUES (:k, :f, :p, :b, :g, :d, :m)",
            {{"k", std::to_string(kod)}, {"f", "F" + std::to_string(kod)}, {"p", cp(deptName)}, {"b", dept},
             {"g", groupCode}, {"d", kdol}, {"m", metka}});
    }

    // Rows of a SELECT as "a|b|c" lines in UTF-8.
    std::vector<std::string> rows(const std::string& utf8Statement) {
        std::vector<std::string> out;
        auto r = sql.query(cp(utf8Statement));
        if (!r) return {"<" + u8(r.status().message()) + ">"};
        for ((*r)->first(); !(*r)->eof(); (*r)->next()) {
            std::string line;
            for (std::size_t i = 0; i < (*r)->fields().size(); ++i) line += (i ? "|" : "") + (*r)->text(int(i));
            out.push_back(u8(line));
        }
        return out;
    }
    std::string counter() { return rows("Select kdol From KOD_IND.DBF").at(0); }
};

}  // namespace org_test
