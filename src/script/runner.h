#pragma once
// Running a script file the way the form runner starts one: read it
// (Windows-1251, CR LF or LF lines), remove block comments, load, run.
#include <string>

#include "script/interpreter.h"

namespace script {

struct FileRunResult {
    bool found = false;  // the file existed
    RunResult run;
};

// `storedPath` is a stored path (cp1251); a missing file shows
// "Файл формы не найден " + the path in a message box.
FileRunResult runScriptFile(Interpreter& interpreter, const std::string& storedPath);

// The same over a script text already in memory.
RunResult runScriptText(Interpreter& interpreter, const std::string& text);

}  // namespace script
