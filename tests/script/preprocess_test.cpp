// Preprocessing, keyword recognition, the block pass and the bracket check.
#include <gtest/gtest.h>

#include "base/cp1251.h"
#include "script/block_pass.h"
#include "script/codes.h"
#include "script/preprocess.h"

namespace {

using script::Keyword;

std::vector<std::string> cut(const std::string& utf8) {
    auto r = script::preprocess(base::utf8ToCp1251(utf8));
    EXPECT_TRUE(std::holds_alternative<script::StatementList>(r));
    std::vector<std::string> out;
    if (auto* list = std::get_if<script::StatementList>(&r))
        for (const auto& s : list->statements) out.push_back(base::cp1251ToUtf8(script::shown(s)));
    return out;
}

std::string failure(const std::string& utf8) {
    auto r = script::preprocess(base::utf8ToCp1251(utf8));
    auto* m = std::get_if<script::Message>(&r);
    return m ? base::cp1251ToUtf8(m->line1 + " / " + m->line2) : "";
}

TEST(Preprocess, CutsLinesIntoStatements) {
    using V = std::vector<std::string>;
    EXPECT_EQ(cut("#a := 1\r\n#b := 2\r\n"), (V{"a := 1", "b := 2"}));
    EXPECT_EQ(cut("@ДИРЕКТИВА\r\n#x := 1"), (V{"@ДИРЕКТИВА", "x := 1"}));
    EXPECT_EQ(cut("#x := 1 # y := 2"), (V{"x := 1", "y := 2"}));
    // Each empty line and each "//" line is a statement of its own.
    EXPECT_EQ(cut("#a\r\n\r\n\r\n#b\r\n// note\r\n#c"), (V{"a", "", "", "b", "", "c"}));
    // A line without "#" continues the statement before it, glued directly.
    EXPECT_EQ(cut("#s := 'ab'\r\n  + 'cd'"), (V{"s := 'ab'+ 'cd'"}));
    // LF-only line ends work the same.
    EXPECT_EQ(cut("#a\n#b\n"), (V{"a", "b"}));
}

TEST(Preprocess, KeepsTheHashLiteralAndCutsOthers) {
    using V = std::vector<std::string>;
    EXPECT_EQ(cut("#s := '#' + 'x'"), (V{"s := '#' + 'x'"}));
    EXPECT_EQ(cut("#s := 'a#b'"), (V{"s := 'a", "b'"}));
}

TEST(Preprocess, Comments) {
    using V = std::vector<std::string>;
    EXPECT_EQ(cut("#x := 1 /* note */ + 2"), (V{"x := 1+ 2"}));
    EXPECT_EQ(cut("#x := 1 // note"), (V{"x := 1"}));
    EXPECT_EQ(cut("#a\r\n/*\r\n#b\r\n*/\r\n#c"), (V{"a", "", "", "", "c"}));
    EXPECT_EQ(failure("#a /* open"), "Не хватает 1 закрытия коментария \"*/\" / Обработка прервана");
    EXPECT_EQ(failure("#a */"), "Не хватает 1 открытия коментария \"/*\" / Обработка прервана");
    auto removed = script::removeBlockComments(base::utf8ToCp1251("a/* x */b/* y"));
    ASSERT_TRUE(std::holds_alternative<script::Message>(removed));
    EXPECT_EQ(base::cp1251ToUtf8(std::get<script::Message>(removed).line1),
              "Не верно закрыты комментарии \"/*\" или \"*/\"");
    EXPECT_EQ(std::get<std::string>(script::removeBlockComments("a/* x */b")), "ab");
}

TEST(Preprocess, IncludesModules) {
    std::vector<std::string> asked;
    const std::string text = script::includeModules(base::utf8ToCp1251("@МОДУЛИ lib1.frm, missing.frm#\r\n#x := 1"),
                                                    [&](const std::string& name) -> std::optional<std::string> {
                                                        asked.push_back(name);
                                                        if (name == "lib1.frm") return std::string("#y := 2\r\n");
                                                        return std::nullopt;
                                                    });
    EXPECT_EQ(asked, (std::vector<std::string>{"lib1.frm", "missing.frm"}));
    EXPECT_NE(base::cp1251ToUtf8(text).find("#// Модуль lib1.frm ==========\r\n#y := 2"), std::string::npos);
}

TEST(Keywords, RecognisedOnlyAsWholeFirstWords) {
    struct Case {
        const char* text;
        Keyword keyword;
    };
    for (const Case& c : std::vector<Case>{{"IF x > 1", Keyword::If},
                                           {"if x", Keyword::If},
                                           {"IFX > 1", Keyword::None},
                                           {"IF(X)", Keyword::None},
                                           {"do case", Keyword::DoCase},
                                           {"TO LABEL 5", Keyword::ToLabel},
                                           {"LABEL 5", Keyword::Label},
                                           {"ENDI", Keyword::EndIf},
                                           {"END_FUNCTION", Keyword::EndFunction},
                                           {"FUNCTION F(A)", Keyword::None},
                                           {"DO", Keyword::None}})
        EXPECT_EQ(script::recognizeKeyword(c.text), c.keyword) << c.text;
}

std::string blockError(const std::vector<std::string>& statements) {
    auto r = script::blockPass(statements);
    return r.failed ? base::cp1251ToUtf8(r.error.line1 + " / " + r.error.line2) : "";
}

TEST(BlockPass, Errors) {
    EXPECT_EQ(blockError({"IF A", "ELSE", "ELSE", "ENDI"}),
              "Ошибка. Оператор IF в строке 1 / имеет более одного оператора ELSE");
    EXPECT_EQ(blockError({"IF A", "IF B", "ELSE", "ENDI", "ELSE", "ENDI"}), "");
    EXPECT_EQ(blockError({"x", "IF A"}), "Ошибка. Оператор IF в строке 2 / не закрыт оператором ENDI");
    EXPECT_EQ(blockError({"DO CASE", "CASE A"}), "Ошибка. Оператор DO CASE в строке 2 / не закрыт оператором ENDC");
    EXPECT_EQ(blockError({"WHILE A"}), "Ошибка.Оператор WHILE в строке 1 / не закрыт оператором ENDW");
    EXPECT_EQ(blockError({"ENDW"}), "Ошибка. Оператор ENDW в строке 1 / не имеет оператора WHILE");
    EXPECT_EQ(blockError({"FOR I := 1 TO 2"}), "Ошибка. Оператор FOR в строке 1 / не закрыт оператором ENDF");
    EXPECT_EQ(blockError({"", "ENDF"}), "Ошибка. Оператор ENDF в строке 2 / не имеет оператора FOR");
}

TEST(BlockPass, TargetsAndWarnings) {
    auto r = script::blockPass({"WHILE A", "IF B", "BREAK", "ENDI", "ENDW", "TO LABEL 7", "LABEL 5.", "TO LABEL 5", "BREAK"});
    ASSERT_FALSE(r.failed);
    EXPECT_EQ(r.records[0].loopEnd, 4);
    EXPECT_EQ(r.records[4].endTarget, 0);
    EXPECT_EQ(r.records[2].loopEnd, 4);
    EXPECT_EQ(r.records[1].endTarget, 3);
    EXPECT_EQ(r.records[7].labelTarget, 6);
    ASSERT_EQ(r.warnings.size(), 2u);
    EXPECT_EQ(base::cp1251ToUtf8(r.warnings[0].line1 + " / " + r.warnings[0].line2),
              "Предупреждение. Оператор TO LABEL в строке 6 / указывает на несуществующую метку");
    EXPECT_EQ(base::cp1251ToUtf8(r.warnings[1].line1 + " / " + r.warnings[1].line2),
              "Предупреждение. Оператор BREAK в строке 9 / используется вне цикла");
}

TEST(BracketCheck, CountsOutsideLiteralsUpToTheEndOfCalculation) {
    script::Message m;
    const std::string q(1, script::kQuote);
    EXPECT_TRUE(script::bracketCheck({"X := LEN(" + q + "(" + q + ")"}, m));
    EXPECT_FALSE(script::bracketCheck({"A", "X := ((1)"}, m));
    EXPECT_EQ(base::cp1251ToUtf8(m.line1), "В строке 2 скобок \"(\" на 1 больше");
    EXPECT_EQ(m.line2, "X := ((1)");
    EXPECT_EQ(base::cp1251ToUtf8(m.line3), "Обработка формы прервана");
    EXPECT_FALSE(script::bracketCheck({"X := 1))"}, m));
    EXPECT_EQ(base::cp1251ToUtf8(m.line1), "В строке 1 скобок \")\" на 2 больше");
    EXPECT_TRUE(script::bracketCheck({base::utf8ToCp1251("@КОНЕЦ РАСЧЕТА"), "X := (("}, m));
}

}  // namespace
