#include "timesheet/timesheet_windows.h"

#include <QAction>
#include <QInputDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/form_delete.h"
#include "app/kadr_o.h"
#include "base/cp_literal.h"
#include "db/table.h"
#include "db/table_ops.h"
#include "records/form_kart.h"
#include "records/records_env.h"
#include "records/records_windows.h"
#include "records/working_copy.h"
#include "timesheet/accounting_month.h"
#include "timesheet/folder_list_correction.h"
#include "timesheet/form_kalendar.h"
#include "timesheet/form_new_tab.h"
#include "timesheet/form_peri.h"
#include "timesheet/form_tab.h"
#include "timesheet/form_spr.h"
#include "timesheet/form_tab_ind.h"
#include "timesheet/text_util.h"
#include "ui/qt_text.h"

namespace timesheet {

TimesheetWindows::TimesheetWindows(app::Tkadr_o& frame) : QObject(&frame), frame_(frame) {
    frame_.setCommandHandler("S_MenuTabA", [this] { openTimesheet(std::nullopt); });
    frame_.setCommandHandler("S_MenuO", [this] { openDepartmentTimesheet(); });
    frame_.setCommandHandler("S_MenuRTab", [this] { createTimesheet(); });
    frame_.setCommandHandler("korsp", [this] { correctLists(); });
    frame_.setCommandHandler("S_MenuPeri", [this] { chooseMonth(); });
    frame_.setCommandHandler("S_MenuKal", [this] { openCalendar(); });
    // The frame records the mode and refuses a second reference window.
    frame_.setCommandHandler("S_MenuPraz", [this] { openReference(ReferenceMode::Holidays); });
    frame_.setCommandHandler("S_MenuProd", [this] { openReference(ReferenceMode::Calendars); });
    frame_.setCommandHandler("N18", [this] { openReference(ReferenceMode::Durations); });
}

void TimesheetWindows::openReference(ReferenceMode mode) {
    auto* window = new TFormSpr(env(), mode);
    if (!window->FormCreate()) {
        delete window;
        frame_.commands().modes.referenceMode = 0;
        return;
    }
    window->onClosed = [this] { frame_.commands().modes.referenceMode = 0; };
    QMdiSubWindow* sub = frame_.mdiArea()->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(window->size());
    // Centred in an 800-pixel area.
    sub->move(std::max(0, (800 - sub->width()) / 2), 1);
    sub->show();
}

TimesheetEnv TimesheetWindows::env() {
    const auto& v = frame_.values();
    TimesheetEnv e;
    e.workFolder = v.workFolder;
    e.dataFolder = v.dataFolder;
    e.today = v.today;
    e.workstation = v.workstation;
    // The stored month, so a month chosen in this run is the one worked on.
    const auto stored = parseAccountingMonth(frame_.settings().ReadSetup("!l!"));
    e.month = stored ? *stored : Month{v.month.year, v.month.month};
    e.messages = &frame_.messages();
    e.commands = &frame_.commands();
    e.font = QFont(QString::fromStdString(v.fontName), v.fontSize);
    e.readSetting = [this](const std::string& m) { return frame_.settings().ReadSetup(m); };
    e.writeSetting = [this](const std::string& m, const std::string& value) { (void)frame_.settings().WriteSetup(m, value); };
    e.confirmDelete = [this] { return app::TFormDelete::Confirm(frame_.uiContext(), frame_.commands(), {}, &frame_); };
    e.runFormFile = [this](const std::string& path) { frame_.runFormFile(path, 0); };
    e.openPersonalCard = [this](int64_t kod) { openPersonalCard(kod); };
    return e;
}

void TimesheetWindows::setViewingCommands(bool enabled) {
    for (const char* name : {"S_MenuPeri", "S_MenuTabA", "S_MenuO"})
        if (QAction* a = frame_.command(name)) a->setEnabled(enabled);
}

bool TimesheetWindows::calculateModal() {
    TFormNewTab dialog(env(), &frame_);
    dialog.exec();
    return dialog.calculated();
}

TFormTab* TimesheetWindows::openTimesheet(std::optional<TabDepartment> department) {
    if (window_) return window_;
    TimesheetEnv e = env();
    if (!db::tableExists(e.dataFolder + monthTableName(e.month.month, e.month.year))) {
        calculateModal();
        if (!db::tableExists(e.dataFolder + monthTableName(e.month.month, e.month.year))) return nullptr;
    }
    auto* window = new TFormTab(e, std::move(department));
    window->openIndividual = [this, e](int64_t kod) { TFormTabInd::Edit(e, kod, &frame_); };
    if (!window->FormCreate()) {
        delete window;
        return nullptr;
    }
    window_ = window;
    QMdiSubWindow* sub = frame_.mdiArea()->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    frame_.placeChild(sub, "TFormTab");
    connect(window, &QObject::destroyed, this, [this] {
        window_ = nullptr;
        setViewingCommands(true);
    });
    setViewingCommands(false);
    sub->show();
    window->FormActivate();
    return window;
}

void TimesheetWindows::openDepartmentTimesheet() {
    // The department choice: the rows of POD.DBF.
    TimesheetEnv e = env();
    auto pod = db::Table::open(e.dataFolder + "POD.DBF");
    if (!pod) return frame_.messages().box(pod.status().message());
    db::Table& t = *pod.value();
    const int bKod = t.fieldIndex("B_KOD"), bbK = t.fieldIndex("BB_K"), name = t.fieldIndex("NAME_P");
    QStringList items;
    std::vector<TabDepartment> departments;
    for (t.first(); !t.eof(); t.next()) {
        TabDepartment d{bKod >= 0 ? std::string(trimmed(t.text(bKod))) : "", bbK >= 0 ? std::string(trimmed(t.text(bbK))) : "",
                        name >= 0 ? std::string(trimmed(t.text(name))) : ""};
        items << ui::toQ(d.bKod + " " + d.bbK + "  " + d.names);
        departments.push_back(d);
    }
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(&frame_, QString::fromUtf8("Отдел"), QString::fromUtf8("Отдел:"), items, 0, false, &ok);
    if (!ok) return;
    openTimesheet(departments[items.indexOf(chosen)]);
}

void TimesheetWindows::createTimesheet() {
    // The frame asks first (" Продолжить новый расчет? ") and lets the
    // command through only for a month whose timesheet exists.
    auto* dialog = new TFormNewTab(env(), &frame_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void TimesheetWindows::correctLists() {
    TimesheetEnv e = env();
    auto result = correctListsInFolder(e.dataFolder, e.month);
    if (!result && result.status().code() == base::Status::Code::NotFound) {
        calculateModal();
        return;
    }
    if (!result) return frame_.messages().box(result.status().message());
    for (const std::string& note : result->notes) frame_.messages().box(note);
    frame_.messages().soob(" Корректировка закончена "_cp);
}

void TimesheetWindows::chooseMonth() {
    TimesheetEnv e = env();
    const auto chosen = Tperi::Choose(e.dataFolder, e.month, &frame_);
    if (!chosen) return;
    if (const base::Status s = frame_.settings().WriteSetup("!l!", storedAccountingMonth(*chosen)); !s)
        return frame_.messages().box(s.message());
    // The frame keeps no setter for its month yet: its status panel is set here.
    if (auto* panel = frame_.findChild<QLabel*>("StatusPanel1"))
        panel->setText(ui::toQ(accountingMonthPanel("  Расчетный месяц:  "_cp, *chosen)));
}

void TimesheetWindows::openCalendar() {
    auto* calendar = new TKalendar(frame_.values().workFolder, frame_.values().today, &frame_);
    calendar->show();
}

void TimesheetWindows::openPersonalCard(int64_t kod) {
    records::RecordsEnv renv = records::recordsEnvOfFrame(frame_);
    records::NoRuntimeForms forms;
    renv.forms = &forms;
    auto dict = app::loadDictionary(renv.ctx.work("DANN_SK.DBF"));
    if (!dict) dict = app::loadDictionary(renv.ctx.data("DANN_SK.DBF"));
    if (!dict) return frame_.messages().box(dict.status().message());
    if (records::workingFolderIsDataFolder(renv.ctx))
        return frame_.messages().soob(" Папка данных совпадает с рабочей папкой "_cp);
    if (auto st = records::makeWorkingCopy(renv.ctx, *dict, kod); !st) return frame_.messages().soob(st.message());
    records::TFormKart card(renv, *dict, false, &frame_);
    card.exec();
}

TimesheetWindows* installTimesheetWindows(app::Tkadr_o& frame) { return new TimesheetWindows(frame); }

}  // namespace timesheet
