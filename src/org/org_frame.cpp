#include "org/org_frame.h"

#include <QObject>
#include <memory>

#include "app/kadr_o.h"
#include "org/org_commands.h"

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
    holder->commands.install();
    return holder->commands;
}

}  // namespace org
