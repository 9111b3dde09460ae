// The organisation windows on the offscreen platform, found by component names.
#include <QAbstractButton>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>

#include "app/demo_data.h"
#include "app/qt_app.h"
#include "org/form_dol_edit.h"
#include "org/form_po_dol.h"
#include "org/form_po_otd.h"
#include "org_fixture.h"
#include "ui/qt_text.h"

using namespace org;
using org_test::cp;
using org_test::OrgData;
using org_test::u8;

namespace {

class Windows : public OrgData {
protected:
    app::CommandDispatcher commands;
    std::vector<std::string> opened;  // "mode names codes" of each card file opened

    void SetUp() override {
        testing_support::qtApp();
        OrgData::SetUp();
        group("01", "Управление");
        group("02", "Производство");
        department("01", "01", "Администрация");
        department("03", "01", "Отдел кадров");
        department("04", "02", "Цех");
        card(1, "03", "01", "Отдел кадров", "002");
        run("INSERT INTO DOL.DBF (dol, kdol, dol1, razr, stat, color) VALUES (\"Директор\", \"001\", 150000, 18, 1, "
            "\"красный\")");
        run("INSERT INTO DOL.DBF (dol, kdol, dol1, razr, stat) VALUES (\"Бухгалтер\", \"002\", 65000, 12, 3)");
        run("UPDATE KOD_IND.DBF SET kdol = \"2\"");
    }
    OrgWindowEnv env() {
        OrgWindowEnv e;
        e.ctx = ctx;
        e.commands = &commands;
        e.confirmDelete = [] { return true; };
        e.openCardFile = [this](const UnitChoice& c, const std::string& mode) {
            opened.push_back(mode + " " + u8(c.names) + " " + c.codes);
        };
        return e;
    }
    template <class W>
    static W* find(QWidget& form, const char* name) {
        W* w = form.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static std::vector<std::string> column(QTableWidget* grid, int c) {
        std::vector<std::string> out;
        for (int r = 0; r < grid->rowCount(); ++r) out.push_back(grid->item(r, c)->text().toStdString());
        return out;
    }
};

TEST_F(Windows, DepartmentMaintenanceAddsWithTheProposedCode) {
    TFormPoOtd form(env(), PoOtdRole::Departments, "");
    EXPECT_EQ(form.windowTitle().toStdString(), "ВЫБОР ОТДЕЛА");
    auto* grid = find<QTableWidget>(form, "DBGridPod");
    EXPECT_EQ(column(grid, 1), (std::vector<std::string>{"01", "03", "04"}));
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text().toStdString(), "Наименование отделов");
    EXPECT_FALSE(find<QToolButton>(form, "ToolButton7")->isHidden());
    EXPECT_TRUE(find<QToolButton>(form, "ToolButton3")->isHidden());

    find<QToolButton>(form, "ToolButton7")->click();
    EXPECT_FALSE(find<QFrame>(form, "Panel1")->isHidden());
    EXPECT_EQ(find<QLineEdit>(form, "Edit2")->text().toStdString(), "02");
    find<QLineEdit>(form, "Edit1")->setText(QString::fromUtf8("Склад"));
    auto* combo = find<QComboBox>(form, "ComboBox1");
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(1).toStdString(), "Производство/02");
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    EXPECT_EQ(find<QLineEdit>(form, "Edit3")->text().toStdString(), "02");
    find<QAbstractButton>(form, "BitBtn2")->click();
    EXPECT_TRUE(find<QFrame>(form, "Panel1")->isHidden());
    EXPECT_EQ(rows("Select POD, B_KOD, BB_K From POD.DBF").back(), "Склад|02|02");
    EXPECT_EQ(grid->rowCount(), 4);

    // The frame's "Редактировать" reaches the window as its tool button.
    grid->selectRow(1);
    commands.setFlag(app::Cmd::Edit, 1);
    form.FormActivate();
    EXPECT_EQ(commands.flag(app::Cmd::Edit), 0);
    EXPECT_FALSE(find<QFrame>(form, "Panel1")->isHidden());
    EXPECT_EQ(find<QLineEdit>(form, "Edit2")->text().toStdString(), "03");
    EXPECT_EQ(find<QComboBox>(form, "ComboBox1")->currentText().toStdString(), "Управление/01");
}

TEST_F(Windows, SettingsLockHidesEditing) {
    OrgWindowEnv e = env();
    e.settingsLocked = true;
    TFormPoOtd form(std::move(e), PoOtdRole::Groups, "");
    EXPECT_EQ(form.windowTitle().toStdString(), "ВЫБОР ГРУППЫ");
    for (const char* name : {"ToolButton6", "ToolButton7", "ToolButton8", "ToolButton3"})
        EXPECT_TRUE(find<QToolButton>(form, name)->isHidden()) << name;
    form.ToolButton7Click();  // refused even when reached another way
    EXPECT_TRUE(find<QFrame>(form, "Panel1")->isHidden());
    EXPECT_EQ(find<QTableWidget>(form, "DBGridPod")->columnCount(), 2);
}

TEST_F(Windows, ChoiceClearsStaleMarksAndOpensTheCardFile) {
    run("UPDATE POD.DBF SET COLOR = \"1\" WHERE B_KOD = \"04\"");
    run("UPDATE BPOD.DBF SET COLOR = \"1\"");
    TFormPoOtd form(env(), PoOtdRole::Choice, "kao");
    EXPECT_EQ(rows("Select COLOR From BPOD.DBF"), (std::vector<std::string>{"", ""}));
    auto* grid = find<QTableWidget>(form, "DBGridPod");
    EXPECT_TRUE(find<QToolButton>(form, "ToolButton6")->isHidden());
    EXPECT_EQ(grid->contextMenuPolicy(), Qt::DefaultContextMenu);  // no editing pop-up menu

    grid->selectRow(1);
    find<QToolButton>(form, "ToolButton3")->click();
    EXPECT_EQ(opened, (std::vector<std::string>{"kao Отдел кадров/ 0301/"}));

    grid->selectRow(0);
    find<QToolButton>(form, "ToolButton4")->click();
    grid->selectRow(2);
    find<QToolButton>(form, "ToolButton4")->click();
    EXPECT_EQ(grid->item(0, 0)->foreground().color(), QColor(Qt::red));
    EXPECT_NE(grid->item(1, 0)->foreground().color(), QColor(Qt::red));
    find<QToolButton>(form, "ToolButton3")->click();
    EXPECT_EQ(opened.back(), "kao Администрация/Цех/ 0101/0402/");
}

TEST_F(Windows, GroupChoiceLeadsToTheDepartmentsOfTheGroup) {
    TFormPoOtd form(env(), PoOtdRole::Choice, "kag");
    EXPECT_TRUE(form.showingGroups());
    auto* grid = find<QTableWidget>(form, "DBGridPod");
    grid->selectRow(1);
    find<QToolButton>(form, "ToolButton3")->click();
    EXPECT_FALSE(form.showingGroups());
    EXPECT_EQ(form.windowTitle().toStdString(), "Производство");
    EXPECT_EQ(form.mode(), "kao");
    EXPECT_EQ(column(grid, 1), (std::vector<std::string>{"04"}));
    find<QToolButton>(form, "ToolButton3")->click();
    EXPECT_EQ(opened, (std::vector<std::string>{"kao Цех/ 0402/"}));
}

TEST_F(Windows, RestrictionListsOnlyItsGroups) {
    OrgWindowEnv e = env();
    e.ctx.groupRestriction = "01/";
    TFormPoOtd form(std::move(e), PoOtdRole::Choice, "kao");
    EXPECT_EQ(column(find<QTableWidget>(form, "DBGridPod"), 1), (std::vector<std::string>{"01", "03"}));
}

TEST_F(Windows, StaffingGridColoursAndCommands) {
    std::vector<std::string> forms;
    OrgWindowEnv e = env();
    e.openForm = [&](const std::string&, const std::array<std::string, 4>& files) {
        forms.push_back(files[0]);
        work.write("doc_frm", cp("#dol.ЗНАЧЕНИЕ.|Кассир|\r\n#dol1.ЗНАЧЕНИЕ.|40000|\r\n"));
    };
    TFormPoDol form(std::move(e));
    EXPECT_EQ(form.windowTitle().toStdString(), " Штатное расписание ");
    auto* grid = find<QTableWidget>(form, "DBGridDol");
    ASSERT_EQ(grid->columnCount(), 8);
    EXPECT_EQ(grid->horizontalHeaderItem(7)->text().toStdString(), "КД");
    EXPECT_EQ(grid->columnWidth(0), 353);
    EXPECT_EQ(grid->item(0, 0)->foreground().color(), QColor(0xFF, 0, 0));
    EXPECT_EQ(grid->item(1, 0)->foreground().style(), Qt::NoBrush);

    commands.setFlag(app::Cmd::Add, 1);
    form.FormActivate();
    EXPECT_EQ(commands.flag(app::Cmd::Add), 0);
    EXPECT_EQ(forms, (std::vector<std::string>{"kr_dol1.frm"}));
    EXPECT_EQ(column(grid, 7), (std::vector<std::string>{"001", "002", "003"}));
    EXPECT_EQ(grid->item(2, 0)->text().toStdString(), "Кассир");
    EXPECT_EQ(grid->currentRow(), 2);

    find<QToolButton>(form, "ToolButton3")->click();  // up
    EXPECT_EQ(column(grid, 7), (std::vector<std::string>{"001", "003", "002"}));
    EXPECT_EQ(grid->currentRow(), 1);

    grid->selectRow(2);
    commands.setFlag(app::Cmd::Delete, 1);
    form.FormActivate();  // "002" is held by an employed card
    EXPECT_EQ(msgs.lines.back(), "SOOB:  Данная должность  |  используется в картотеке сотрудников  |  Удаление невозможно ");
    EXPECT_EQ(grid->rowCount(), 3);
}

TEST_F(Windows, ChooserPreselectsTheCurrentPositionAndReturnsTheDoubleClickedOne) {
    TFormPoDol chooser(env(), std::string("002"));
    EXPECT_TRUE(chooser.isChooser());
    EXPECT_TRUE(find<QWidget>(chooser, "ToolBar1")->isHidden());
    auto* grid = find<QTableWidget>(chooser, "DBGridDol");
    EXPECT_EQ(grid->currentRow(), 1);
    bool chosenSignal = false;
    QObject::connect(&chooser, &TFormPoDol::positionChosen, [&] { chosenSignal = true; });
    grid->selectRow(0);
    emit grid->cellDoubleClicked(0, 0);
    EXPECT_TRUE(chosenSignal);
    EXPECT_EQ(chooser.chosen(), std::optional<std::string>("001"));
}

TEST_F(Windows, BuiltInPositionFormGoesThroughDocBufAndDocFrm) {
    auto form = [&](const std::string&, const std::array<std::string, 4>&) {
        TFormDolEdit edit(work.path());
        auto* name = find<QLineEdit>(edit, "DOL");
        EXPECT_EQ(name->text().toStdString(), "Бухгалтер");
        EXPECT_TRUE(find<QLineEdit>(edit, "KDOL")->isReadOnly());
        name->setText(QString::fromUtf8("Старший | бухгалтер"));
        find<QLineEdit>(edit, "DOL1")->setText("70000,50");
        find<QAbstractButton>(edit, "BitBtnSave")->click();
    };
    auto positions = loadPositions(ctx);
    ASSERT_TRUE(positions.isOk());
    ASSERT_TRUE(editPosition(ctx, (*positions)[1].recNo, form));
    EXPECT_EQ(rows("Select dol, kdol, dol1 From DOL.DBF WHERE kdol = \"002\"").at(0), "Старший  бухгалтер|002|70000.5");
}

// Screenshots of both windows on the demo data, when KADRY_SHOTS names a folder.
TEST(WindowShots, DemoData) {
    const char* shots = std::getenv("KADRY_SHOTS");
    if (!shots) GTEST_SKIP() << "set KADRY_SHOTS to a folder to write the screenshots";
    testing_support::qtApp();
    testing_support::TempFolder data, work;
    ASSERT_TRUE(app::makeDemoData(data.path(), base::Date::fromYmd(2026, 12, 11)).isOk());
    ui::RecordingMessages msgs;
    OrgWindowEnv e;
    e.ctx = {data.path(), work.path(), "", &msgs};
    TFormPoOtd otd(e, PoOtdRole::Departments, "");
    otd.resize(700, 360);
    otd.show();
    otd.ToolButton6Click();
    otd.grab().save(QString::fromUtf8(shots) + "/FormPoOtd.png");
    TFormPoOtd choice(e, PoOtdRole::Choice, "kag");
    choice.resize(700, 300);
    choice.show();
    choice.grab().save(QString::fromUtf8(shots) + "/FormPoOtd_groups.png");
    db::SqlFolder(data.path()).execute(cp("UPDATE DOL.DBF SET color = \"синий\" WHERE kdol = \"003\""));
    TFormPoDol dol(e);
    dol.resize(800, 420);
    dol.show();
    dol.grab().save(QString::fromUtf8(shots) + "/FormPoDol.png");
}

}  // namespace
