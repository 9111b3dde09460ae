#include "app/command_dispatcher.h"

namespace app {

void CommandDispatcher::raise(Cmd cmd) {
    flags_[int(cmd)] = 1;
    if (cmd == Cmd::Print && beforePrint_) beforePrint_();
    bounce();
}

void CommandDispatcher::raiseExcel() {
    flags_[int(Cmd::Excel)] = 1;
    raise(Cmd::Print);
}

void CommandDispatcher::bounce() {
    if (bounce_) bounce_();
}

bool CommandDispatcher::take(Cmd cmd) {
    if (flags_[int(cmd)] != 1) return false;
    flags_[int(cmd)] = 0;
    return true;
}

}  // namespace app
