#pragma once
// A Messages implementation that records every message as one UTF-8 line
// ("SOOB: l1 | l2 | l3", "BOX: text", "QUESTION: l1 | l2 | l3") and answers
// questions from a queue (default 2, refuse).
#include <deque>
#include <string>
#include <vector>

#include "base/cp1251.h"
#include "ui/messages.h"

namespace ui {

class RecordingMessages : public Messages {
public:
    void soob(const std::string& l1, const std::string& l2, const std::string& l3, const std::string& picture) override {
        lines.push_back("SOOB: " + joined(l1, l2, l3));
        pictures.push_back(picture);
    }
    void box(const std::string& text) override { lines.push_back("BOX: " + base::cp1251ToUtf8(text)); }
    int question(const std::string& l1, const std::string& l2, const std::string& l3, const std::string&) override {
        lines.push_back("QUESTION: " + joined(l1, l2, l3));
        if (answers.empty()) return 2;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }

    std::vector<std::string> lines;
    std::vector<std::string> pictures;
    std::deque<int> answers;

private:
    static std::string joined(const std::string& a, const std::string& b, const std::string& c) {
        return base::cp1251ToUtf8(a) + " | " + base::cp1251ToUtf8(b) + " | " + base::cp1251ToUtf8(c);
    }
};

}  // namespace ui
