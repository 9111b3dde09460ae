#include "org/org_frame.h"

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
    // The records windows, when they are installed: the card file reads the
    // chosen departments from the frame's run-wide values, and the personal
    // card chooses its position in the staffing table.
    if (auto* records = frame.findChild<records::RecordsWindows*>(QString(), Qt::FindDirectChildrenOnly)) {
        holder->commands.entries().openCardFile = [records](const UnitChoice&, const std::string& mode) {
            records->openCardFile(mode);
        };
        records->setPositionChooser([&commands = holder->commands](const std::string& current) {
            return commands.choosePosition(current).value_or(std::string());
        });
    }
#endif
    holder->commands.install();
    return holder->commands;
}

}  // namespace org
