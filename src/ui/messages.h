#pragma once
// The message and question service. Logic reports through this interface;
// the windows implement it with the program's dialogs, tests with a recorder.
// All texts are cp1251.
#include <string>

namespace ui {

class Messages {
public:
    virtual ~Messages() = default;
    // The three-line message window (SoobMessage); blank lines are not shown.
    virtual void soob(const std::string& line1, const std::string& line2 = {}, const std::string& line3 = {},
                      const std::string& picture = {}) = 0;
    // A plain message box with one text.
    virtual void box(const std::string& text) = 0;
    // The question dialog: 1 confirm, 2 refuse, 0 closed otherwise.
    virtual int question(const std::string& line1, const std::string& line2, const std::string& line3,
                         const std::string& picture = {}) = 0;
};

}  // namespace ui
