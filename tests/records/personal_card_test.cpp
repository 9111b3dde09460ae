#include "base/file_ops.h"
#include "records/assignments.h"
#include "records/card_tables.h"
#include "records/card_save.h"
#include "records/history.h"
#include "records/param_buffer.h"
#include "records/vacancy.h"
#include "records/working_copy.h"
#include "records_fixture.h"

using namespace records_test;
using records::NewAssignmentAnswer;
using records::SaveOutcome;

namespace {

class ScriptedNewDan : public records::NewAssignmentDialog {
public:
    NewAssignmentAnswer ask(base::Date date, bool hiring) override {
        ++asked;
        if (answers.empty()) return {};
        auto a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    std::vector<NewAssignmentAnswer> answers;
    int asked = 0;
};

class PersonalCard : public ::testing::Test, public RecordsFixture {
protected:
    void SetUp() override {
        addCard(5, {{"LK", "12"}, {"FAM", "Каримов"}, {"IM", "Азиз"}, {"OT", "Бахтиёрович"}, {"FIO", "Каримов А.Б."},
                    {"METKA", "R"}, {"DOL", "Инженер"}, {"DOL1", "1000"}, {"RAZR", "5"}, {"KLAS", "1"},
                    {"B_KOD", "03"}, {"BB_K", "01"}, {"D_DOL", "01.02.2009"}, {"POD", "Бухгалтерия"}});
        addCard(6, {{"LK", "13"}, {"FIO", "Другой"}, {"METKA", "R"}});
        sql("INSERT INTO NAZN.DBF (KOD, DOL, D_DOL) VALUES (5, \"Инженер\", \"01.02.2009\")");
        ok(records::makeWorkingCopy(ctx, dict, 5));
        auto c = records::openWorkingCopy(ctx);
        ASSERT_TRUE(c);
        copy = std::move(*c);
    }

    records::CardSaveInput input() {
        records::CardSaveInput in;
        in.code = 5;
        in.noted = records::noteAssignment(*copy);
        for (const auto& f : copy->fields()) in.values[f.name] = copy->text(f.name);
        in.departmentLabel = "03/01";
        return in;
    }

    SaveOutcome save(records::CardSaveInput& in) {
        auto r = records::saveCard(ctx, *copy, in, memory, dialog);
        EXPECT_TRUE(r) << utf(r.status().message());
        return r ? *r : SaveOutcome::Cancelled;
    }

    std::unique_ptr<db::Table> copy;
    records::NewAssignmentMemory memory;
    ScriptedNewDan dialog;
};

TEST_F(PersonalCard, SaveChecksThePersonnelNumber) {
    struct Case { std::string lk; SaveOutcome outcome; std::string message; std::string lkAfter; } cases[] = {
        {"0", SaveOutcome::NumberUndefined, "BOX:  Табельный номер не определен ", "0"},
        {"", SaveOutcome::NumberUndefined, "BOX:  Табельный номер не определен ", ""},
        {"13", SaveOutcome::NumberUsed, "BOX:  Табельный номер 13 использован ", "12"},
        {"14", SaveOutcome::Saved, "", "14"},
    };
    for (const auto& c : cases) {
        messages.lines.clear();
        auto in = input();
        in.values["LK"] = c.lk;
        EXPECT_EQ(save(in), c.outcome) << c.lk;
        EXPECT_EQ(messages.lines.empty() ? "" : messages.lines[0], c.message) << c.lk;
        EXPECT_EQ(in.values["LK"], c.lkAfter) << c.lk;
    }
    EXPECT_EQ(dialog.asked, 0);  // no assignment change
    EXPECT_EQ(copy->text("LK"), "14");
    EXPECT_EQ(utf(copy->text("FIO")), "Каримов А.Б.");
}

TEST_F(PersonalCard, NewAssignmentThenCorrections) {
    auto in = input();
    in.values["DOL1"] = "     1 500.00";
    in.values["D_DOL"] = "01.03.2010";
    dialog.answers = {{NewAssignmentAnswer::New, "17", base::Date::fromYmd(2010, 3, 2)}};
    EXPECT_EQ(save(in), SaveOutcome::Saved);
    EXPECT_EQ(rows("NAZN.DBF", {"DOL", "DOL1", "D_DOL", "OSN", "DATA1", "B_KOD", "BB_K"}, 5),
              (std::vector<std::string>{"Инженер||01.02.2009||||", "Инженер|1500|01.03.2010|17|02.03.2010|03|01"}));
    EXPECT_EQ(copy->text("DOL1"), "1500");
    // A later save with the same date corrects the new row without asking.
    in.values["RAZR"] = "6";
    EXPECT_EQ(save(in), SaveOutcome::Saved);
    EXPECT_EQ(dialog.asked, 1);
    EXPECT_EQ(rows("NAZN.DBF", {"RAZR", "OSN"}, 5), (std::vector<std::string>{"|", "6|17"}));
}

TEST_F(PersonalCard, CancelIsAskedAgainAndStoresNothing) {
    auto in = input();
    in.values["DOL"] = cp("Бухгалтер");
    in.values["FAM"] = cp("Новая");
    dialog.answers = {{NewAssignmentAnswer::Cancel}, {NewAssignmentAnswer::Change}};
    EXPECT_EQ(save(in), SaveOutcome::Cancelled);
    EXPECT_EQ(utf(copy->text("FAM")), "Каримов");
    EXPECT_EQ(save(in), SaveOutcome::Saved);  // same date: asked again
    EXPECT_EQ(dialog.asked, 2);
    EXPECT_EQ(rows("NAZN.DBF", {"DOL"}, 5), std::vector<std::string>{"Бухгалтер"});
    EXPECT_EQ(utf(copy->text("FAM")), "Новая");
}

TEST_F(PersonalCard, ChangeWithoutAssignmentRowInsertsOne) {
    sql("DELETE FROM NAZN.DBF WHERE KOD = 5");
    auto in = input();
    in.values["KLAS"] = "3";
    dialog.answers = {{NewAssignmentAnswer::Change}};
    EXPECT_EQ(save(in), SaveOutcome::Saved);
    EXPECT_EQ(rows("NAZN.DBF", {"KLAS", "DOL"}, 5), std::vector<std::string>{"3|Инженер"});
}

TEST_F(PersonalCard, ViewOnlyWorkstationWritesNoAssignmentRows) {
    ctx.workstation = "";
    auto in = input();
    in.values["KLAS"] = "3";
    dialog.answers = {{NewAssignmentAnswer::New, "1", base::Date::fromYmd(2010, 3, 1)}};
    EXPECT_EQ(save(in), SaveOutcome::Saved);
    EXPECT_EQ(rows("NAZN.DBF", {"KLAS"}, 5).size(), 1u);
    copy->close();
    ok(records::writeBack(ctx));
    EXPECT_EQ(rows("DANN.DBF", {"KLAS"}, 5), std::vector<std::string>{"1"});
}

TEST_F(PersonalCard, DismissalThroughTheFormAndItsUndo) {
    FormStandIn form(work);
    // Not confirmed: the dismissal row goes again and the card stays working.
    auto r = records::dismissCard(ctx, *copy, form);
    ASSERT_TRUE(r);
    EXPECT_FALSE(*r);
    EXPECT_EQ(rows("NAZN.DBF", {"DOL"}, 5), std::vector<std::string>{"Инженер"});
    EXPECT_EQ(form.titles, std::vector<std::string>{"Увольнения"});
    EXPECT_EQ(form.opened, std::vector<std::string>{"uvol1.frm"});
    EXPECT_NE(utf(form.docBuf).find("#DOL.ЗНАЧЕНИЕ.|Уволен|\r\n#DOL.ТИП.|C|\r\n#DOL.РАЗМЕР.|"), std::string::npos);

    form.answer = "#D_DOL.ЗНАЧЕНИЕ.|15.03.2010|\r\n#OSN.ЗНАЧЕНИЕ.|9|\r\n";
    r = records::dismissCard(ctx, *copy, form);
    ASSERT_TRUE(r);
    EXPECT_TRUE(*r);
    EXPECT_EQ(rows("NAZN.DBF", {"DOL", "D_DOL", "DATA1", "OSN"}, 5),
              (std::vector<std::string>{"Инженер|01.02.2009||", "Уволен|15.03.2010|01.03.2010|9"}));
    EXPECT_EQ(copy->text("METKA"), "Y");
    EXPECT_EQ(copy->text("D_DOL"), "15.03.2010");
    EXPECT_FALSE(base::fileExists(work.file("doc_frm")));

    ok(records::undoDismissal(ctx, *copy));
    EXPECT_EQ(rows("NAZN.DBF", {"DOL"}, 5), std::vector<std::string>{"Инженер"});
    EXPECT_EQ(copy->text("METKA"), "R");
    EXPECT_EQ(copy->text("D_DOL"), "01.02.2009");
    EXPECT_EQ(messages.lines.back(), "BOX:  Увольнение отменено ");
}

TEST_F(PersonalCard, UndoDeletesOnlyADismissalRowThatIsNotTheOnlyOne) {
    struct Case { std::vector<std::string> dols; std::vector<std::string> after; } cases[] = {
        {{"Инженер", "Уволен"}, {"Инженер"}},
        {{"Уволен"}, {"Уволен"}},
        {{"Инженер", "Мастер"}, {"Инженер", "Мастер"}},
    };
    for (const auto& c : cases) {
        sql("DELETE FROM NAZN.DBF WHERE KOD = 5");
        for (const auto& d : c.dols) sql("INSERT INTO NAZN.DBF (KOD, DOL) VALUES (5, :d)", {{"d", cp(d)}});
        ok(records::undoDismissal(ctx, *copy));
        EXPECT_EQ(rows("NAZN.DBF", {"DOL"}, 5), c.after);
        EXPECT_EQ(copy->text("METKA"), "R");
        EXPECT_NE(utf(copy->text("DOL")), "Уволен");
    }
}

TEST_F(PersonalCard, UserFieldsKeepTheirBlanksUnlessNumbers) {
    ok(records::storeUserFields(*copy, dict, {" 0.50", cp("12 Навои"), "1 2"}));
    copy->close();
    ok(records::writeBack(ctx));
    EXPECT_EQ(rows("DANN.DBF", {"STAV", "ADRES2", "DETI"}, 5), std::vector<std::string>{"0.5|12 Навои|12"});
}

TEST_F(PersonalCard, VacancyCheckCountsOtherWorkingCardsByCode) {
    ctx.vacancyAccounting = true;
    struct Case { std::vector<std::pair<std::string, std::string>> others; bool vacant; std::string stav; } cases[] = {
        {{{"R", "1"}, {"R", "1"}}, false, ""},
        {{{"R", "1"}, {"R", "0.5"}}, true, "0.5"},
        {{{"R", "1"}, {"Y", "1"}}, true, "1"},
        {{{"R", "1"}, {"R", "0.7"}, {"R", "0.3"}}, false, ""},  // sums rounded: no 1e-16 vacancy
    };
    for (const auto& c : cases) {
        sql("DELETE FROM DANN.DBF WHERE KDOL = \"7\"");
        int64_t code = 100;
        for (const auto& [metka, stav] : c.others)
            addCard(code++, {{"KDOL", "7"}, {"METKA", metka}, {"STAV", stav}, {"LK", "12"}});  // same number
        sql("UPDATE DANN.DBF SET KDOL = \"7\", STAV = 1 WHERE KOD = 5");  // the card itself
        auto offer = records::offerPosition(ctx, "7", 5);
        ASSERT_TRUE(offer) << utf(offer.status().message());
        EXPECT_EQ(offer->vacant, c.vacant);
        EXPECT_EQ(offer->stav, c.stav);
        if (c.vacant) EXPECT_EQ(offer->dol1, "1500");
    }
    EXPECT_EQ(messages.lines[0], "SOOB:  Нет свободных вакансий | Бухгалтер | ");
}

TEST_F(PersonalCard, HistoryRowsAddEditDelete) {
    using records::HistoryTab;
    ok(records::addHistoryRow(ctx, HistoryTab::SickLeave, 5));
    EXPECT_EQ(rows("BOLL.DBF", {"DATA1", "DATA2", "DAT", "MET", "KOL_D"}, 5),
              std::vector<std::string>{"01.03.2010|01.03.2010|0310|1|1"});
    ok(records::addHistoryRow(ctx, HistoryTab::Vacations, 5));
    EXPECT_EQ(rows("OTP.DBF", {"DATA1", "DATA2", "DATA3", "KOL_D"}, 5),
              std::vector<std::string>{"01.03.2010|01.03.2010|01.03.2010|1"});
    ok(records::addHistoryRow(ctx, HistoryTab::Trips, 5));
    EXPECT_EQ(rows("KOM.DBF", {"DATA1", "DATA3"}, 5), std::vector<std::string>{"01.03.2010|01.03.2010"});

    FormStandIn form(work);
    form.answer = "#KOL_D.ЗНАЧЕНИЕ.|5.0|\r\n#DIAG.ЗНАЧЕНИЕ.|ОРВИ|\r\n#NBOL.ЗНАЧЕНИЕ.||\r\n";
    auto boll = records::rowsOfCard(ctx, "BOLL.DBF", 5);
    (*boll)->last();
    EXPECT_TRUE(*records::editHistoryRow(ctx, form, HistoryTab::SickLeave, **boll));
    EXPECT_EQ(form.titles.back(), "Больничный лист");
    EXPECT_EQ(rows("BOLL.DBF", {"KOL_D", "DIAG"}, 5), std::vector<std::string>{"5|ОРВИ"});

    // The only assignment row can be neither edited nor deleted here.
    auto nazn = records::assignmentRows(ctx, 5);
    (*nazn)->last();
    EXPECT_FALSE(*records::editHistoryRow(ctx, form, HistoryTab::Assignments, **nazn));
    EXPECT_FALSE(*records::deleteHistoryRow(ctx, HistoryTab::Assignments, **nazn, [] { return true; }));
    EXPECT_EQ(messages.lines, (std::vector<std::string>{"BOX: Последнюю запись редактировать из карточки",
                                                        "BOX: Нельзя удалить последнюю запись"}));
    (*boll)->last();
    EXPECT_FALSE(*records::deleteHistoryRow(ctx, HistoryTab::SickLeave, **boll, [] { return false; }));
    EXPECT_TRUE(*records::deleteHistoryRow(ctx, HistoryTab::SickLeave, **boll, [] { return true; }));
    EXPECT_TRUE(rows("BOLL.DBF", {"KOD"}, 5).empty());
}

TEST_F(PersonalCard, CardFileMakesAMissingAssignmentRow) {
    auto made = records::ensureAssignmentRow(ctx, dict, 6, /*hiring=*/true);
    EXPECT_FALSE(*made);
    made = records::ensureAssignmentRow(ctx, dict, 5, false);
    EXPECT_FALSE(*made);  // has one
    sql("UPDATE DANN.DBF SET DOL = \"Мастер\", DOL1 = 900 WHERE KOD = 6");
    made = records::ensureAssignmentRow(ctx, dict, 6, false);
    EXPECT_TRUE(*made);
    EXPECT_EQ(rows("NAZN.DBF", {"DOL", "DOL1", "METKA"}, 6), std::vector<std::string>{"Мастер|900|R"});
}

}  // namespace
