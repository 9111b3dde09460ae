#include "records/records_windows.h"

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

void RecordsWindows::refreshEnv() {
    const auto& v = frame_.values();
    env_.ctx.workFolder = v.workFolder;
    env_.ctx.dataFolder = v.dataFolder;
    env_.ctx.workstation = v.workstation;
    env_.ctx.firstOfMonth = v.month.firstDay;
    env_.ctx.today = v.today;
    env_.ctx.language = v.language;
    env_.ctx.vacancyAccounting = v.vacancies == "1";
    env_.ctx.messages = &frame_.messages();
    env_.complexCalendars = v.complexCalendars == "1";
    env_.commands = &frame_.commands();
    env_.forms = &noForms_;
    env_.sortField = frame_.settings().ReadSetup("iND");
    env_.storeSortField = [this](const std::string& f) { frame_.settings().WriteSetup("iND", f); };
    env_.confirmDelete = [this] { return app::TFormDelete::Confirm(frame_.uiContext(), frame_.commands(), {}, &frame_); };
    env_.runFormFile = [this](const std::string& path) { frame_.runFormFile(path, 1); };
    env_.setEditCommands = [this](bool on) {
        for (const char* name : {"ToolButtonNew", "ToolButtonEdi", "ToolButtonCop", "ToolButtonDel"})
            if (QAction* a = frame_.command(name)) a->setEnabled(on);
    };
    env_.font = QFont(QString::fromStdString(v.fontName), v.fontSize);
}

void RecordsWindows::setFrameCommands(bool enabled) {
    for (const char* name : {"N7", "N8", "N5", "S_MenuTabA", "S_MenuO", "N45", "S_MenuRTab"})
        if (QAction* a = frame_.command(name); a && (std::string(name) == "N7" || !enabled)) a->setEnabled(enabled);
}

TDannForm* RecordsWindows::openCardFile(const std::string& view) {
    if (cardFile_) return cardFile_;
    refreshEnv();
    CardListView v;
    v.view = view;
    cardFile_ = new TDannForm(env_, v);
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
