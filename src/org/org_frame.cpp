#include "org/org_frame.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QObject>
#include <memory>

#include "app/kadr_o.h"
#include "org/org_commands.h"

#ifdef KADRY_ORG_WITH_RECORDS
#include "records/records_windows.h"
#endif

namespace org {

namespace {

// Keeps the command set alive as long as the frame.
class CommandsHolder : public QObject {
public:
    CommandsHolder(app::Tkadr_o& frame) : QObject(&frame), commands(frame, {}) {}
    OrgCommands commands;
};

}  // namespace

OrgCommands& installFrame(app::Tkadr_o& frame) {
    if (auto* existing = dynamic_cast<CommandsHolder*>(
            frame.findChild<QObject*>("OrgCommands", Qt::FindDirectChildrenOnly)))
        return existing->commands;
    auto* holder = new CommandsHolder(frame);
    holder->setObjectName("OrgCommands");
#ifdef KADRY_ORG_WITH_RECORDS
    // The card file of the records windows, when they are installed; it reads
    // the chosen departments from the frame's run-wide values.
    if (auto* records = frame.findChild<records::RecordsWindows*>(QString(), Qt::FindDirectChildrenOnly))
        holder->commands.entries().openCardFile = [records](const UnitChoice&, const std::string& mode) {
            records->openCardFile(mode);
        };
    // The card file switches the by-department commands off while it is open;
    // they come back once no card file window is left.
    QObject::connect(frame.mdiArea(), &QMdiArea::subWindowActivated, holder, [&frame] {
        for (QMdiSubWindow* w : frame.mdiArea()->subWindowList())
            if (w->widget() && w->widget()->objectName() == "DannForm") return;
        for (const char* name : {"N8", "N5"})
            if (QAction* a = frame.command(name)) a->setEnabled(true);
    });
#endif
    holder->commands.install();
    return holder->commands;
}

}  // namespace org
