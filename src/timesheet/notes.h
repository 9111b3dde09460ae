#pragma once
// Messages a calculation collects for the user, each text once, in the
// order first met.
#include <set>
#include <string>
#include <vector>

namespace timesheet {

class Notes {
public:
    void add(const std::string& text) {
        if (seen_.insert(text).second) list_.push_back(text);
    }
    const std::vector<std::string>& list() const { return list_; }
    bool empty() const { return list_.empty(); }

private:
    std::set<std::string> seen_;
    std::vector<std::string> list_;
};

}  // namespace timesheet
