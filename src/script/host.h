#pragma once
// Everything outside the language, as the interpreter sees it: messages and
// dialogs, folders and files, the settings store, the clock, the holidays
// table, the table slots, the progress window and the step debugger. The
// headless host (headless_host.h) serves the command line and the tests;
// the windows (script/windows) give the GUI host.
#include <optional>
#include <string>

#include "base/date.h"
#include "script/builtins.h"
#include "script/message.h"

namespace script {

class Interpreter;

enum class SlotState { NotOpen, AtEnd, NotAtEnd };

struct LocalTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class Host {
public:
    virtual ~Host() = default;

    // --- Messages and dialogs (texts are cp1251, quotes shown as "'").
    virtual void showMessage(const Message& m) = 0;           // the three-line message window
    virtual void showMessageBox(const std::string& text) = 0;  // a plain message box
    // Question dialog: 1 confirmed, 2 refused, 0 closed otherwise.
    virtual int askQuestion(const Message& lines, const std::string& picture) = 0;
    // Choice window: the number of the button pressed (1..7), 0 when closed.
    virtual int askChoice(const std::string& description) { return 0; }

    // --- Folders: the working (program) folder and the data folder ("S%&"),
    // both native paths ending with "/".
    virtual std::string programFolder() const = 0;
    virtual std::string dataFolder() const = 0;

    // --- Files by stored path (cp1251, "\" or "/"); relative paths are in
    // the program folder.
    virtual std::string resolve(const std::string& storedPath) const;
    virtual std::optional<std::string> readFile(const std::string& storedPath) const;
    virtual bool writeFile(const std::string& storedPath, const std::string& content);

    // --- Settings store (ReadSetup / WriteSetup).
    virtual std::string readSetup(const std::string& marker) = 0;
    virtual void writeSetup(const std::string& marker, const std::string& value) = 0;

    // --- Clock.
    virtual LocalTime now() const;

    // --- Holidays table (Praz.DBF) for KOL_DAY.
    virtual bool isHoliday(base::Date) { return false; }

    // --- Table slots T1..T9, T0 (slot numbers 0..9). The table functions
    // register themselves through addBuiltins under "T." + name and reach
    // the slots through the host that registered them.
    virtual SlotState slotState(int slot) { return SlotState::NotOpen; }
    virtual void closeAllSlots() {}
    virtual void addBuiltins(BuiltinTable&) {}

    // --- Progress window of "@ИНДИКАТОР" scripts.
    virtual void progressOpen(int maximum) {}
    virtual void progressStatus(const std::string& text) {}
    virtual void progressPosition(int position) {}
    virtual void progressClose() {}

    // --- Stepping and events.
    virtual void processEvents() {}
    // Called in step mode after every evaluated condition and statement.
    virtual void afterStep(Interpreter&, int statementIndex) {}
    virtual void terminateApplication() {}
};

}  // namespace script
