#pragma once
// The host of the windows: dialogs and messages as Qt dialogs, the progress
// window, the step debugger; folders, files, settings, tables and the clock
// come from the host it wraps (the program's own folder context).
#include <memory>

#include "script/host.h"

class QWidget;

namespace script::windows {

class TFormIndikat;
class TFormInterp;

class GuiHost : public Host {
public:
    GuiHost(Host& inner, QWidget* parent);
    ~GuiHost() override;

    void setInterpreter(Interpreter* in) { interpreter_ = in; }
    void setDebugger(TFormInterp* d) { debugger_ = d; }

    void showMessage(const Message& m) override;
    void showMessageBox(const std::string& text) override;
    int askQuestion(const Message& lines, const std::string& picture) override;
    int askChoice(const std::string& description) override { return inner_.askChoice(description); }

    std::string programFolder() const override { return inner_.programFolder(); }
    std::string dataFolder() const override { return inner_.dataFolder(); }
    std::string resolve(const std::string& p) const override { return inner_.resolve(p); }
    std::optional<std::string> readFile(const std::string& p) const override { return inner_.readFile(p); }
    bool writeFile(const std::string& p, const std::string& c) override { return inner_.writeFile(p, c); }
    std::string readSetup(const std::string& m) override { return inner_.readSetup(m); }
    void writeSetup(const std::string& m, const std::string& v) override { inner_.writeSetup(m, v); }
    LocalTime now() const override { return inner_.now(); }
    bool isHoliday(base::Date d) override { return inner_.isHoliday(d); }
    SlotState slotState(int slot) override { return inner_.slotState(slot); }
    void closeAllSlots() override { inner_.closeAllSlots(); }
    void addBuiltins(BuiltinTable& t) override { inner_.addBuiltins(t); }

    void progressOpen(int maximum) override;
    void progressStatus(const std::string& text) override;
    void progressPosition(int position) override;
    void progressClose() override;

    void processEvents() override;
    void afterStep(Interpreter& in, int statementIndex) override;
    void terminateApplication() override;

private:
    Host& inner_;
    QWidget* parent_;
    Interpreter* interpreter_ = nullptr;
    TFormInterp* debugger_ = nullptr;
    std::unique_ptr<TFormIndikat> progress_;
};

}  // namespace script::windows
