#pragma once
// What the organisation operations need of the run: the two folders, the
// department restriction and the message service through which they report
// refusals and ask their questions.
#include <string>

#include "ui/messages.h"

namespace org {

struct OrgContext {
    std::string dataFolder;        // ends with "/"
    std::string workFolder;        // ends with "/" ("" = current folder)
    std::string groupRestriction;  // setting "F%&": group codes, each followed by "/"
    ui::Messages* messages = nullptr;

    std::string data(const std::string& name) const { return dataFolder + name; }
    std::string work(const std::string& name) const { return workFolder + name; }
};

}  // namespace org
