// The headless commands' contract: `kadry script eval` and `kadry script run`.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "support/temp_folder.h"

namespace {

struct Output {
    std::string text;
    int code = -1;
};

Output kadry(const std::string& args) {
    Output out;
    FILE* p = ::popen((std::string(KADRY_BIN) + " " + args + " 2>/dev/null").c_str(), "r");
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.text.append(buf, n);
    const int status = ::pclose(p);
    out.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

TEST(ScriptCli, EvalPrintsTheValueAsStored) {
    Output o = kadry("script eval \"'Иван' + 'ов'\"");
    EXPECT_EQ(o.text, "'Иванов'\n");
    EXPECT_EQ(o.code, 0);
    o = kadry("script eval \"31.12.2004 + 1\"");
    EXPECT_EQ(o.text, "01.01.2005\n");
    EXPECT_EQ(kadry("script eval \"1 / 0\"").code, 2);
}

TEST(ScriptCli, RunPrintsMessagesAndVariables) {
    testing_support::TempFolder folder;
    // Windows-1251, CR LF: #ИМЯ := 'Петров' ...
    folder.write("a.frm", "#B := QUESTION('q1', '', '', '')\r\n#MESSAGE('l1', 'l2', '')\r\n"
                          "#\xC8\xCC\xDF := '\xCF\xE5\xF2\xF0\xEE\xE2'\r\n#A := 2\r\n");
    Output o = kadry("script run " + folder.file("a.frm") + " --answer 1 --vars");
    EXPECT_EQ(o.text, "MESSAGE: q1 |  | \nMESSAGE: l1 | l2 | \nA=2\nB=1\nИМЯ='Петров'\n");
    EXPECT_EQ(o.code, 0);
}

TEST(ScriptCli, RunStopsWithCodeTwo) {
    testing_support::TempFolder folder;
    folder.write("bad.frm", "#A := 1\n#B := 'x' + 1\n#C := 3\n");
    Output o = kadry("script run " + folder.file("bad.frm") + " --vars");
    EXPECT_EQ(o.text, "MESSAGE: Ошибка в строке 2 | Сложение несовместимых типов@'x' (C)  и  1 (N) | \nA=1\n");
    EXPECT_EQ(o.code, 2);
    folder.write("term.frm", "#A := 1\n#TERMINATE\n");
    EXPECT_EQ(kadry("script run " + folder.file("term.frm")).code, 2);
    EXPECT_EQ(kadry("script run " + folder.file("missing.frm")).code, 1);
}

TEST(ScriptCli, ModulesComeFromTheDataFolder) {
    testing_support::TempFolder program, data;
    data.write("DOCUM/FRMZ/m.frm", "#FUNCTION TWICE(X)\r\n#  R := X * 2\r\n#END_FUNCTION\r\n");
    program.write("s.frm", "@\xCC\xCE\xC4\xD3\xCB\xC8 m.frm#\r\n#Y := TWICE(4)\r\n#RETURN\r\n");
    Output o = kadry("script run " + program.file("s.frm") + " --program-dir " + program.path() + " --data-dir " +
                     data.path() + " --vars");
    EXPECT_NE(o.text.find("Y=8\n"), std::string::npos) << o.text;
    EXPECT_EQ(o.code, 0);
}

}  // namespace
