#include "script/headless_host.h"

#include "base/path_resolver.h"

namespace script {

HeadlessHost::HeadlessHost(std::string programFolder, std::string dataFolder)
    : programFolder_(base::withTrailingSeparator(std::move(programFolder))),
      dataFolder_(base::withTrailingSeparator(std::move(dataFolder))) {
    settings_["S%&"] = base::nativeToText(dataFolder_);
}

void HeadlessHost::record(std::string line) {
    if (sink_) sink_(line);
    messages_.push_back(std::move(line));
}

void HeadlessHost::showMessage(const Message& m) { record(m.line1 + " | " + m.line2 + " | " + m.line3); }

void HeadlessHost::showMessageBox(const std::string& text) { record(text + " |  | "); }

int HeadlessHost::askQuestion(const Message& lines, const std::string&) {
    showMessage(lines);
    if (answers_.empty()) return 0;
    const int a = answers_.front();
    answers_.pop_front();
    return a;
}

int HeadlessHost::askChoice(const std::string&) {
    if (answers_.empty()) return 0;
    const int a = answers_.front();
    answers_.pop_front();
    return a;
}

std::string HeadlessHost::readSetup(const std::string& marker) {
    auto it = settings_.find(marker);
    return it == settings_.end() ? std::string() : it->second;
}

void HeadlessHost::writeSetup(const std::string& marker, const std::string& value) { settings_[marker] = value; }

LocalTime HeadlessHost::now() const { return clock_ ? *clock_ : Host::now(); }

}  // namespace script
