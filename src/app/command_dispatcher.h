#pragma once
// The frame's editing requests to the active child window: a set of command
// flags and the re-activation bounce. A command sets its flag and bounces;
// the re-activated child performs, in its FormActivate, the flags it
// supports and clears them. A flag nobody supports waits for a window that does.
#include <array>
#include <functional>
#include <string>

namespace app {

enum class Cmd {
    Delete,
    Add,
    Copy,
    Edit,
    Index,
    FindNext,
    Filter,
    ExactFilter,
    CancelFilter,
    Print,
    Excel,
    RememberWindow,
};
inline constexpr int kCmdCount = 12;

// The frame's opening modes handed to the next child window.
struct OpenModes {
    std::string openMode;  // "ka", "kao", "kag", "arx", "sa", "tav", "tao", "tag", "per", ""
    int selectorMode = 0;  // 0 none, 2 departments, 3 groups, 4 staffing, 5 staffing from a card
    int referenceMode = 0; // 0 none, 11 holidays, 12 calendars, 13 work durations
};

class CommandDispatcher {
public:
    // `bounce` re-activates the active child (through the invisible window).
    void setBounce(std::function<void()> bounce) { bounce_ = std::move(bounce); }
    // Hook run before the bounce of a print request (resets the print lists).
    void setBeforePrint(std::function<void()> hook) { beforePrint_ = std::move(hook); }

    // Sets the flag(s) of a frame command and bounces.
    void raise(Cmd cmd);
    void raiseExcel();  // export: Excel and Print together
    // The bounce alone (search mode changed, language applied).
    void bounce();

    int flag(Cmd cmd) const { return flags_[int(cmd)]; }
    void setFlag(Cmd cmd, int value) { flags_[int(cmd)] = value; }
    // For the child's FormActivate: true (and clears it) when the flag is set.
    bool take(Cmd cmd);
    void clearAll() { flags_.fill(0); }

    OpenModes modes;
    bool searchFromStart = true;  // CheckBox1; CheckBox2 is the opposite

private:
    std::array<int, kCmdCount> flags_{};
    std::function<void()> bounce_;
    std::function<void()> beforePrint_;
};

}  // namespace app
