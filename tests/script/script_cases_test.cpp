// The language tested in its own language: every file of cases/ is a
// script (UTF-8 here, run as Windows-1251) whose "//=" lines say what the
// run must leave behind:
//   //= NAME = value        a variable after the run (value as shown, ' quotes)
//   //= NAME[i] = value     an array element
//   //= UNSET NAME          no such variable
//   //= MESSAGE l1 | l2 | l3 the messages shown, all of them, in order
//   //= END completed|suppressed|aborted|terminated|notstarted
//   //= ANSWER n            an answer for the next dialog
//   //= FILE name           a file copied from cases/ into the program folder
// The "//" lines are comment statements to the script itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/cp1251.h"
#include "base/path_resolver.h"
#include "script/codes.h"
#include "script/headless_host.h"
#include "script/interpreter.h"
#include "script/runner.h"
#include "support/temp_folder.h"

namespace {

const std::string kCases = std::string(KADRY_SOURCE_DIR) + "/tests/script/cases/";

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string trim(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.pop_back();
    while (!s.empty() && s.front() == ' ') s.erase(0, 1);
    return s;
}

struct Expectations {
    std::vector<std::pair<std::string, std::string>> values;
    std::vector<std::string> unset;
    std::vector<std::string> messages;
    std::string end = "completed";
    std::vector<int> answers;
    std::vector<std::string> files;
};

Expectations parse(const std::string& text) {
    Expectations e;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        line = trim(line);
        if (line.rfind("//=", 0) != 0) continue;
        std::string body = trim(line.substr(3));
        auto word = [&](const std::string& w) {
            if (body.rfind(w + " ", 0) != 0) return false;
            body = trim(body.substr(w.size()));
            return true;
        };
        if (word("MESSAGE")) e.messages.push_back(body);
        else if (word("END")) e.end = body;
        else if (word("ANSWER")) e.answers.push_back(std::stoi(body));
        else if (word("UNSET")) e.unset.push_back(body);
        else if (word("FILE")) e.files.push_back(body);
        else {
            std::size_t eq = body.find(" = ");
            if (eq == std::string::npos && body.size() >= 2 && body.compare(body.size() - 2, 2, " =") == 0)
                eq = body.size() - 2;
            e.values.emplace_back(trim(body.substr(0, eq)), eq + 3 <= body.size() ? body.substr(eq + 3) : "");
        }
    }
    return e;
}

std::string endOf(const script::RunResult& r) {
    if (!r.started) return "notstarted";
    if (r.aborted) return "aborted";
    if (r.terminated) return "terminated";
    return r.completed ? "completed" : "suppressed";
}

class ScriptCase : public ::testing::TestWithParam<std::string> {};

TEST_P(ScriptCase, LeavesWhatItSays) {
    const std::string utf8 = readAll(kCases + GetParam());
    ASSERT_FALSE(utf8.empty()) << GetParam();
    const Expectations want = parse(utf8);
    testing_support::TempFolder folder;
    folder.write("Sum_Prop.sdc", readAll(std::string(KADRY_SOURCE_DIR) + "/demo/Sum_Prop.sdc"));
    for (const std::string& f : want.files) folder.write(f, base::utf8ToCp1251(readAll(kCases + f)));
    folder.write("case.frm", base::utf8ToCp1251(utf8));

    script::HeadlessHost host(folder.path(), folder.path());
    host.setClock({2005, 5, 12, 14, 5, 9});
    host.writeSetup("!l!", "052005");
    host.addHoliday(base::Date::fromYmd(2005, 5, 2));
    host.addHoliday(base::Date::fromYmd(2005, 5, 9));
    for (int a : want.answers) host.addAnswer(a);
    script::Interpreter in(host);
    const auto result = script::runScriptFile(in, base::nativeToText(folder.path()) + "case.frm");
    ASSERT_TRUE(result.found);

    std::vector<std::string> shown;
    for (const std::string& m : host.messages()) shown.push_back(trim(base::cp1251ToUtf8(m)));
    EXPECT_EQ(shown, want.messages);
    EXPECT_EQ(endOf(result.run), want.end);
    std::map<std::string, std::string> have;
    for (const auto& [n, v] : in.variables()) have[base::cp1251ToUtf8(script::shown(n))] = base::cp1251ToUtf8(script::shown(v));
    for (const auto& [n, v] : in.arrayElements()) have[base::cp1251ToUtf8(script::shown(n))] = base::cp1251ToUtf8(script::shown(v));
    for (const auto& [name, value] : want.values) {
        auto it = have.find(name);
        if (it == have.end()) ADD_FAILURE() << "no variable " << name;
        else EXPECT_EQ(it->second, value) << "variable " << name;
    }
    for (const std::string& name : want.unset) EXPECT_EQ(have.count(name), 0u) << "variable " << name;
}

std::vector<std::string> caseFiles() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kCases))
        if (entry.path().extension() == ".frm") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Cases, ScriptCase, ::testing::ValuesIn(caseFiles()), [](const auto& info) {
    std::string n = info.param.substr(0, info.param.size() - 4);
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
});

}  // namespace
