#pragma once
// Runs a program and captures what it prints on stdout.
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace testing_support {

struct Output {
    int code = -1;
    std::string out;
};

// `command` is a shell command line; stderr goes where the test's goes.
inline Output runCommand(const std::string& command) {
    Output r;
    FILE* p = ::popen(command.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) r.out.append(buf, n);
    const int status = ::pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

inline std::string shellQuoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline bool toolAvailable(const std::string& name) {
    return runCommand("command -v " + name + " >/dev/null 2>&1 && echo yes").out == "yes\n";
}

}  // namespace testing_support
