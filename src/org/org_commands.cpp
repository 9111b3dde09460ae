#include "org/org_commands.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <cstdio>

#include "app/form_delete.h"
#include "app/kadr_o.h"
#include "app/window_placement.h"
#include "base/cp_literal.h"
#include "org/form_dol_edit.h"
#include "org/form_po_dol.h"
#include "org/form_po_otd.h"

namespace org {

using namespace base::literals;

OrgCommands::OrgCommands(app::Tkadr_o& frame, OrgEntries entries) : frame_(frame), entries_(std::move(entries)) {}

void OrgCommands::install() {
    frame_.setCommandHandler("S_MenuStat", [this] { openStaffing(); });
    frame_.setCommandHandler("S_MenuPod", [this] { openDepartments(false); });
    frame_.setCommandHandler("N40", [this] { openDepartments(true); });
    frame_.setCommandHandler("N8", [this] { cardFileCommand("kao"); });
    frame_.setCommandHandler("N5", [this] { cardFileCommand("kag"); });
}

OrgWindowEnv OrgCommands::env() {
    const app::RunValues& v = frame_.values();
    OrgWindowEnv e;
    e.ctx.dataFolder = v.dataFolder;
    e.ctx.workFolder = frame_.uiContext().workFolder;
    e.ctx.groupRestriction = v.groupRestriction;
    e.ctx.messages = &frame_.messages();
    e.ui = frame_.uiContext();
    e.commands = &frame_.commands();
    e.settingsLocked = v.settingsLock == "1";
    e.clientWidth = frame_.clientWidth() > 0 ? frame_.clientWidth() : frame_.width();
    e.clientHeight = frame_.clientHeight() > 0 ? frame_.clientHeight() : frame_.height();
    char name[16];
    std::snprintf(name, sizeof name, "T%02d%02d.DBF", v.month.month, v.month.year % 100);
    e.timesheetPath = v.dataFolder + name;
    e.confirmDelete = [this] {
        const bool yes = app::TFormDelete::Confirm(frame_.uiContext(), frame_.commands(), {}, &frame_);
        frame_.commands().setFlag(app::Cmd::Delete, 0);
        return yes;
    };
    e.openCardFile = [this](const UnitChoice& choice, const std::string& mode) {
        lastChoice_ = choice;
        holdChoice(choice);
        frame_.commands().modes.openMode = mode;
        if (entries_.openCardFile) entries_.openCardFile(choice, mode);
        else frame_.messages().soob(" Картотека пока недоступна "_cp);
    };
    e.openTimesheet = [this](const UnitChoice& choice) {
        lastChoice_ = choice;
        holdChoice(choice);
        if (entries_.openTimesheet) entries_.openTimesheet(choice);
        else frame_.messages().soob(" Табель пока недоступен "_cp);
    };
    e.openForm = entries_.openForm;
    if (!e.openForm)  // until the run-time forms exist: the built-in position form
        e.openForm = [this, work = e.ctx.workFolder](const std::string&, const std::array<std::string, 4>&) {
            TFormDolEdit::Open(work, &frame_);
        };
    e.printPositions = entries_.printPositions;
    return e;
}

void OrgCommands::holdChoice(const UnitChoice& choice) {
    app::OpenModes& modes = frame_.commands().modes;
    modes.chosenNames = choice.names;
    modes.chosenCodes = choice.codes;
    modes.chosenGroups = choice.groupCodes;
}

QMdiSubWindow* OrgCommands::openChild(const char* name) const {
    for (QMdiSubWindow* w : frame_.mdiArea()->subWindowList())
        if (w->widget() && w->widget()->objectName() == name) return w;
    return nullptr;
}

void OrgCommands::addChild(QWidget* form, const char* name) {
    QMdiSubWindow* sub = frame_.mdiArea()->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    const OrgWindowEnv e = env();
    app::Placement p = app::defaultPlacement(e.clientWidth, e.clientHeight);
    if (auto saved = app::loadPlacement(e.ui.workFolder, name)) p = *saved;
    sub->setGeometry(p.left, p.top, p.width, p.height);
    sub->show();
    frame_.mdiArea()->setActiveSubWindow(sub);
}

void OrgCommands::openDepartments(bool groups) {
    if (QMdiSubWindow* open = openChild("FormPoOtd")) return frame_.mdiArea()->setActiveSubWindow(open);
    app::OpenModes& modes = frame_.commands().modes;
    modes.openMode = "";
    modes.selectorMode = groups ? 3 : 2;
    OrgWindowEnv e = env();
    e.onSelectorClosed = [this] {
        frame_.commands().modes.selectorMode = 0;
        lastChoice_ = {};
    };
    addChild(new TFormPoOtd(std::move(e), groups ? PoOtdRole::Groups : PoOtdRole::Departments, ""), "FormPoOtd");
}

void OrgCommands::openChooser(const std::string& mode) {
    if (QMdiSubWindow* open = openChild("FormPoOtd")) return frame_.mdiArea()->setActiveSubWindow(open);
    frame_.commands().modes.openMode = mode;
    frame_.commands().modes.selectorMode = 2;
    OrgWindowEnv e = env();
    e.onSelectorClosed = [this] {
        frame_.commands().modes.selectorMode = 0;
        lastChoice_ = {};
    };
    addChild(new TFormPoOtd(std::move(e), PoOtdRole::Choice, mode), "FormPoOtd");
}

void OrgCommands::cardFileCommand(const std::string& mode) {
    frame_.commands().modes.openMode = mode;
    // With the selector open after a choice, the card file opens at once on that choice.
    if (frame_.commands().modes.selectorMode != 0 && openChild("FormPoOtd") && !lastChoice_.codes.empty()) {
        holdChoice(lastChoice_);
        if (entries_.openCardFile) entries_.openCardFile(lastChoice_, mode);
        return;
    }
    openChooser(mode);
}

void OrgCommands::openStaffing() {
    if (QMdiSubWindow* open = openChild("FormPoDol")) return frame_.mdiArea()->setActiveSubWindow(open);
    frame_.commands().modes.selectorMode = 4;
    auto* form = new TFormPoDol(env());
    QObject::connect(form, &QObject::destroyed, &frame_, [this] {
        if (frame_.commands().modes.selectorMode == 4) frame_.commands().modes.selectorMode = 0;
    });
    addChild(form, "FormPoDol");
}

std::optional<std::string> OrgCommands::choosePosition(const std::string& currentCode) {
    app::OpenModes& modes = frame_.commands().modes;
    const int before = modes.selectorMode;
    modes.selectorMode = 5;
    auto chosen = TFormPoDol::ChoosePosition(env(), currentCode, &frame_);
    modes.selectorMode = before == 5 ? 0 : before;
    return chosen;
}

}  // namespace org
