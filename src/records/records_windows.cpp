#include "records/records_windows.h"

#include <algorithm>
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/form_delete.h"
#include "app/kadr_o.h"
#include "records/dann_form.h"

namespace records {

RecordsWindows::RecordsWindows(app::Tkadr_o& frame) : QObject(&frame), frame_(frame) {
    frame_.setCommandHandler("N7", [this] { openCardFile("ka"); });
}

RecordsEnv recordsEnvOfFrame(app::Tkadr_o& frame) {
    const auto& v = frame.values();
    RecordsEnv env;
    env.ctx.workFolder = v.workFolder;
    env.ctx.dataFolder = v.dataFolder;
    env.ctx.workstation = v.workstation;
    env.ctx.firstOfMonth = v.month.firstDay;
    env.ctx.today = v.today;
    env.ctx.language = v.language;
    env.ctx.vacancyAccounting = v.vacancies == "1";
    env.ctx.messages = &frame.messages();
    env.complexCalendars = v.complexCalendars == "1";
    env.commands = &frame.commands();
    env.confirmDelete = [&frame] { return app::TFormDelete::Confirm(frame.uiContext(), frame.commands(), {}, &frame); };
    env.runFormFile = [&frame](const std::string& path) { frame.runFormFile(path, 1); };
    env.font = QFont(QString::fromStdString(v.fontName), v.fontSize);
    return env;
}

void RecordsWindows::refreshEnv() {
    env_ = recordsEnvOfFrame(frame_);
    env_.forms = &noForms_;
    env_.sortField = frame_.settings().ReadSetup("iND");
    env_.storeSortField = [this](const std::string& f) { frame_.settings().WriteSetup("iND", f); };
    env_.setEditCommands = [this](bool on) {
        for (const char* name : {"ToolButtonNew", "ToolButtonEdi", "ToolButtonCop", "ToolButtonDel"})
            if (QAction* a = frame_.command(name)) a->setEnabled(on);
    };
    env_.choosePosition = positionChooser_;
}

void RecordsWindows::setPositionChooser(std::function<std::string(const std::string&)> chooser) {
    positionChooser_ = std::move(chooser);
    env_.choosePosition = positionChooser_;
}

// Switching off notes which commands were on, so switching back on restores
// exactly those: a command no subsystem handles yet stays off.
void RecordsWindows::setFrameCommands(bool enabled) {
    if (!enabled) {
        switchedOff_.clear();
        for (const char* name : {"N7", "N8", "N5", "S_MenuTabA", "S_MenuO", "N45", "S_MenuRTab"})
            if (QAction* a = frame_.command(name); a && a->isEnabled()) {
                a->setEnabled(false);
                switchedOff_.emplace_back(name);
            }
        return;
    }
    for (const std::string& name : switchedOff_)
        if (QAction* a = frame_.command(QString::fromStdString(name))) a->setEnabled(true);
    switchedOff_.clear();
}

namespace {

// The department and group of the card file's view: characters 1-2 and 3-4
// of the first chosen department's code ("0301/"), and the chosen names.
CardListView chosenView(const std::string& view, const app::OpenModes& modes) {
    CardListView v;
    v.view = view;
    if (view != "kao" && view != "kag") return v;
    const std::string& codes = modes.chosenCodes;
    v.deptCode = codes.substr(0, std::min<size_t>(2, codes.size()));
    v.groupCode = codes.size() > 2 ? codes.substr(2, 2) : std::string();
    v.deptNames = modes.chosenNames;
    return v;
}

}  // namespace

TDannForm* RecordsWindows::openCardFile(const std::string& view) {
    if (cardFile_) return cardFile_;
    refreshEnv();
    cardFile_ = new TDannForm(env_, chosenView(view, frame_.commands().modes));
    QMdiSubWindow* sub = frame_.mdiArea()->addSubWindow(cardFile_);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setGeometry(1, 1, std::max(400, frame_.mdiArea()->width() - 10), std::max(300, frame_.mdiArea()->height() - 10));
    connect(cardFile_, &QObject::destroyed, this, [this] {
        cardFile_ = nullptr;
        setFrameCommands(true);
    });
    setFrameCommands(false);
    sub->show();
    cardFile_->FormActivate();
    return cardFile_;
}

RecordsWindows* installRecordsWindows(app::Tkadr_o& frame) { return new RecordsWindows(frame); }

}  // namespace records
