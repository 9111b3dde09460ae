#pragma once
// The host of the command line and the tests: messages are recorded (and
// printed by the caller), dialogs take their answers from a queue, settings
// live in memory, the clock may be fixed.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "script/host.h"

namespace script {

class HeadlessHost : public Host {
public:
    HeadlessHost(std::string programFolder, std::string dataFolder);

    void showMessage(const Message& m) override;
    void showMessageBox(const std::string& text) override;
    int askQuestion(const Message& lines, const std::string& picture) override;
    int askChoice(const std::string& description) override;

    std::string programFolder() const override { return programFolder_; }
    std::string dataFolder() const override { return dataFolder_; }

    std::string readSetup(const std::string& marker) override;
    void writeSetup(const std::string& marker, const std::string& value) override;

    LocalTime now() const override;
    bool isHoliday(base::Date d) override { return holidays_.count(d.dayNumber()) > 0; }
    void terminateApplication() override { terminateRequested_ = true; }

    // --- Set-up and inspection.
    void addAnswer(int answer) { answers_.push_back(answer); }
    void setClock(LocalTime t) { clock_ = t; }
    void addHoliday(base::Date d) { holidays_.insert(d.dayNumber()); }
    // Each message as "l1 | l2 | l3" (cp1251, as shown), in order.
    const std::vector<std::string>& messages() const { return messages_; }
    // Called for every message as it is shown (the CLI prints it at once).
    void onMessage(std::function<void(const std::string&)> sink) { sink_ = std::move(sink); }
    bool terminateRequested() const { return terminateRequested_; }

private:
    void record(std::string line);

    std::string programFolder_, dataFolder_;
    std::deque<int> answers_;
    std::map<std::string, std::string> settings_;
    std::optional<LocalTime> clock_;
    std::set<int32_t> holidays_;
    std::vector<std::string> messages_;
    std::function<void(const std::string&)> sink_;
    bool terminateRequested_ = false;
};

}  // namespace script
