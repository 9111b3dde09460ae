#pragma once
// A message of the engine as the message window shows it: up to three lines
// of cp1251 text (quotes already shown as "'").
#include <stdexcept>
#include <string>

namespace script {

struct Message {
    std::string line1, line2, line3;
};

// Thrown inside the interpreter when a statement fails; caught by the main
// loop, which shows the message and ends the run. It never leaves the library.
struct ScriptError {
    Message message;
};

}  // namespace script
