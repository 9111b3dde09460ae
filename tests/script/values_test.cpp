// Values, normalisation and one-expression evaluation with exact texts.
#include <gtest/gtest.h>

#include "base/cp1251.h"
#include "script/codes.h"
#include "script/headless_host.h"
#include "script/interpreter.h"
#include "script/normalize.h"
#include "script/value.h"

namespace {

TEST(Values, TypeIsReadFromTheText) {
    const std::string q(1, script::kQuote);
    EXPECT_EQ(script::typeOf(q + "x" + q), 'C');
    EXPECT_EQ(script::typeOf("25.12.2004"), 'D');
    EXPECT_EQ(script::typeOf("12.5"), 'N');
    EXPECT_EQ(script::typeOf("-2"), 'N');
    EXPECT_EQ(script::typeOf(".T."), 'B');
    EXPECT_EQ(script::typeOf(".t."), 'U');
    EXPECT_EQ(script::typeOf("ABC"), 'U');
    EXPECT_EQ(script::typeOf(""), 'U');
}

TEST(Values, NumberTexts) {
    EXPECT_EQ(script::numberText(3), "3");
    EXPECT_EQ(script::numberText(-0.0), "0");
    EXPECT_EQ(script::numberText(2.5), "2.5");
    EXPECT_EQ(script::numberText(1e20), "1E20");
    EXPECT_EQ(script::numberText(0.000001), "1E-6");
    EXPECT_EQ(script::numberText(123456789012345.0), "123456789012345");
    // The cached number is the number of the text, not the raw result.
    script::Value v = script::numberValue(0.1 + 0.2);
    EXPECT_EQ(v.text, "0.3");
    EXPECT_EQ(*script::readNumber(v), 0.3);
}

TEST(Normalize, TokensAndCodes) {
    using script::shown;
    auto n = [](const std::string& s) { return shown(script::normalize(script::toInternalQuotes(s))); };
    EXPECT_EQ(n("x : = 1"), "X := 1");
    EXPECT_EQ(n("a>=b"), "A >= B");
    EXPECT_EQ(n("a<>b"), "A <> B");
    EXPECT_EQ(n("f(a,b)"), "F( A , B )");
    EXPECT_EQ(n("s := 'a b+c' + x"), "S := 'a b+c' + X");
    EXPECT_EQ(n("(a=1).and.(b=2)"), "( A = 1 ) .AND. ( B = 2 )");
    EXPECT_EQ(n("a[1] := 2"), "A[1] := 2");
}

struct EvalCase {
    const char* expression;
    const char* result;  // the value as shown, or the message "l1 | l2 | l3"
};

class Eval : public ::testing::TestWithParam<EvalCase> {};

TEST_P(Eval, GivesItsValueOrMessage) {
    script::HeadlessHost host("/tmp", "/tmp");
    host.setClock({2005, 5, 12, 14, 5, 9});
    script::Interpreter in(host);
    auto v = in.evaluateText(script::toInternalQuotes(base::utf8ToCp1251(GetParam().expression)));
    const std::string got = v ? base::cp1251ToUtf8(script::shown(*v))
                              : (host.messages().empty() ? "?" : base::cp1251ToUtf8(host.messages().back()));
    EXPECT_EQ(got, GetParam().result) << GetParam().expression;
}

INSTANTIATE_TEST_SUITE_P(Operators, Eval, ::testing::Values(
    EvalCase{"'AB' + 'CD'", "'ABCD'"},
    EvalCase{"'AB' + 1", "Ошибка в строке 1 | Сложение несовместимых типов@'AB' (C)  и  1 (N) | "},
    EvalCase{"1 + 'AB'", "Ошибка в строке 1 | Сложение несовместимых типов@1 (N)  и  'AB' (C) | "},
    EvalCase{"01.01.2005 + 'x'", "Ошибка в строке 1 | Сложение несовместимых типов@01.01.2005 (D)  и  'x' (C) | "},
    EvalCase{"1 + 01.01.2005", "Ошибка в строке 1 | Сложение несовместимых типов@1 (N)  и  01.01.2005 (D) | "},
    EvalCase{"31.12.2004 + 1", "01.01.2005"},
    EvalCase{"01.03.2005 - 01.02.2005", "28"},
    EvalCase{"01.03.2005 - 1", "28.02.2005"},
    EvalCase{"01.03.2005 - 01.02.2005 + 1", "29"},
    EvalCase{"'a' - 1", "'a'"},
    EvalCase{"'a' * 2", "Ошибка в строке 1 | Умножение несовместимых типов@'a' (C)  и  2 (N) | "},
    EvalCase{"2 / 'a'", "Ошибка в строке 1 | Деление несовместимых типов@2 (N)  и  'a' (C) | "},
    EvalCase{"01.01.2005 - 'a'", "Ошибка в строке 1 | Вычитание несовместимых типов@01.01.2005 (D)  и  'a' (C) | "},
    EvalCase{"2 ^ 3 ^ 2", "64"},
    EvalCase{"2 ^ -1", "0.5"},
    EvalCase{"2 ^ 0", "1"},
    EvalCase{"2 ^ 0.5", "Ошибка в строке 1 | Значение 0.5 не является целым числом | Обработка прервана"},
    EvalCase{"'a' ^ 2", "Ошибка в строке 1 | Возвед. в степень несовместимых типов@'a' (C)  и  2 (N) | "},
    EvalCase{"10 ^ 400", "Ошибка в строке 1 | Переполнение при вычислении@10 (N)  и  400 (N) | "},
    EvalCase{"1E300 * 1E300", "Ошибка в строке 1 | Переполнение при вычислении@1E300 (N)  и  1E300 (N) | "},
    EvalCase{"10 / 4", "2.5"},
    EvalCase{"1 / 0", "Ошибка в строке 1 | Деление на ноль@1 (N)  и  0 (N) | "},
    EvalCase{"-5 + 2", "-3"},
    EvalCase{"2 * (-3)", "-6"},
    EvalCase{"1 + 2 * 3", "7"},
    EvalCase{"(1 + 2) * 3", "9"},
    EvalCase{"1 / 3", "0.333333333333333"},
    EvalCase{"0.1 + 0.2", "0.3"},
    EvalCase{"100000000 * 100000000", "1E16"},
    EvalCase{"'abc' = 'ABC'", ".F."},
    EvalCase{"'abc' = 'abc'", ".T."},
    EvalCase{"2 < 10", ".T."},
    EvalCase{"'2' < '10'", "Ошибка в строке 1 | Сравнение < для несовместимых типов@'2' (C)  и  '10' (C) | "},
    EvalCase{"01.02.2005 > 31.01.2005", ".T."},
    EvalCase{"1 <> 2", ".T."},
    EvalCase{"1 >= 1", ".T."},
    EvalCase{".T. = .T.", "Ошибка в строке 1 | Сравнение = для несовместимых типов@.T. (B)  и  .T. (B) | "},
    EvalCase{"1 <= 'a'", "Ошибка в строке 1 | Сравнение <= для несовместимых типов@1 (N)  и  'a' (C) | "},
    EvalCase{"'a' <> 1", "Ошибка в строке 1 | Сравнение <> для несовместимых типов@'a' (C)  и  1 (N) | "},
    EvalCase{".NOT. .F.", ".T."},
    EvalCase{".NOT. 5", ".T."},
    EvalCase{".T. .AND. .F.", ".F."},
    EvalCase{".F. .OR. .T.", ".T."},
    EvalCase{"(1 = 1) .AND. (2 = 2)", ".T."},
    // Comparisons and logic share one sweep: the .AND. takes the .T. of 1 = 1
    // and the 2; its .F. keeps the number type of its place.
    EvalCase{"1 = 1 .AND. 2 = 2", "Ошибка в строке 1 | Значение .F. не является числом | Обработка прервана"},
    EvalCase{"Q", "Q"},
    EvalCase{"X := 5", ""},
    EvalCase{"1 + Q", "Ошибка в строке 1 | Сложение несовместимых типов@1 (N)  и  Q (U) | "},
    EvalCase{"'1a' + 1", "Ошибка в строке 1 | Сложение несовместимых типов@'1a' (C)  и  1 (N) | "},
    EvalCase{"1A + 1", "Ошибка в строке 1 | Значение 1A не является числом | Обработка прервана"},
    EvalCase{"99.99.9999 + 1", "Ошибка в строке 1 | Значение 99.99.9999 не является датой | Обработка прервана"},
    EvalCase{"NOSUCH(1)", "Ошибка В строке 1 | Неизвесная функцияNOSUCH | Обработка прервана"},
    EvalCase{"DATA_NERED()", "Ошибка В строке 1 | Неизвесная функцияDATA_NERED | Обработка прервана"}));

INSTANTIATE_TEST_SUITE_P(Builtins, Eval, ::testing::Values(
    EvalCase{"SUBS('ABCDEF', 2, 3)", "'BCD'"},
    EvalCase{"SUBS('ABC', 3, 10)", "'C'"},
    EvalCase{"COPY('ABC', 0, 2)", "'AB'"},
    EvalCase{"SUBSDP('ABC', 2, -1)", "''"},
    EvalCase{"SUBS('ABC', 2, 1000000000000)", "'BC'"},
    EvalCase{"SUBS('ABC', 'x', 1)", "Ошибка в строке 1 | Значение 'x' не является целым числом | Обработка прервана"},
    EvalCase{"LEN('абв')", "3"},
    EvalCase{"AT('B', 'ABCB')", "2"},
    EvalCase{"RAT('B', 'ABCB')", "4"},
    EvalCase{"AT('X', 'ABC')", "0"},
    EvalCase{"ALLTRIM('  a b  ')", "'a b'"},
    EvalCase{"REPLICATE('ab', 3)", "'ababab'"},
    EvalCase{"REPLICATE('ab', 0)", "''"},
    EvalCase{"SPACE(3)", "'   '"},
    EvalCase{"STRTRAN('a-b-c', '-', '')", "'abc'"},
    EvalCase{"STRTRAN('aabb', 'ab', '')", "''"},
    EvalCase{"STRTRAN('abc', '', 'x')", "'abc'"},
    EvalCase{"STRTRAN('abc', 'b', 'b')", "'abc'"},
    EvalCase{"STRTRAN('abc', 'b', 'bb')",
             "Ошибка в строке 1 | Функция STRTRAN: текст замены 'bb' содержит заменяемый текст 'b' | Обработка прервана"},
    EvalCase{"EMPTY('  ')", ".T."},
    EvalCase{"EMPTY('x')", ".F."},
    EvalCase{"CHR(65)", "'A'"},
    EvalCase{"ORD('A')", "65"},
    EvalCase{"ORD('')", "0"},
    EvalCase{"UPPER_ALL('привет, ёж abc', 1)", "'ПРИВЕТ, ёЖ ABC'"},
    EvalCase{"UPPER_ALL('ПРИВЕТ', 2)", "'привет'"},
    EvalCase{"UPPER_ALL('пРИВЕТ мИР', 6)", "'Привет мир'"},
    EvalCase{"UPPER_ALL('   ', 1)", "''"},
    EvalCase{"UPPER_ALL('abc', 3)", "'abc'"},
    EvalCase{"ANSIUPPERCASE('ёж')", "'ЁЖ'"},
    EvalCase{"NUMFORMAT(1234567.5, 1)", "'1 234 567.50'"},
    EvalCase{"NUMFORMAT(12, 1)", "'12.00'"},
    EvalCase{"NUMFORMAT(123, 0)", "' 123'"},
    EvalCase{"NUMFORMAT(-123, 0)", "'- 123'"},
    EvalCase{"NUMONLY('-12.5')", ".T."},
    EvalCase{"NUMONLY('1a')", ".F."},
    EvalCase{"PADLEFT(5, 3, '0')", "005"},
    EvalCase{"PADRIGHT('5', 3, '0')", "500"},
    EvalCase{"PADRIGHT('ab', 4, '')", "ab"},  // a word: looked up, trimmed
    EvalCase{"PADLEFT('x', 100000000, '0')",
             "Ошибка в строке 1 | Функция PADLEFT: результат длиннее 16777216 символов | Обработка прервана"},
    EvalCase{"PADRIGHT('x', 100000000, '0')",
             "Ошибка в строке 1 | Функция PADRIGHT: результат длиннее 16777216 символов | Обработка прервана"},
    EvalCase{"SPACE(100000000)", "Ошибка в строке 1 | Функция SPACE: результат длиннее 16777216 символов | Обработка прервана"},
    EvalCase{"REPLICATE('ab', 100000000)",
             "Ошибка в строке 1 | Функция REPLICATE: результат длиннее 16777216 символов | Обработка прервана"},
    EvalCase{"NTOC(12) + 'x'", "'12x'"},
    EvalCase{"CTON(' 1 2 ') + 1", "13"},
    EvalCase{"CTON('')", "0"},
    EvalCase{"DTOC(01.02.2005)", "'01.02.2005'"},
    EvalCase{"CTOD('01.02.2005') + 1", "02.02.2005"},
    EvalCase{"IIF(1 = 1, 'a', 'b')", "'a'"},
    EvalCase{"IIF(1, 'a', 'b')", "'b'"},
    EvalCase{"ROUND(2.5, 0)", "2"},
    EvalCase{"ROUND(3.5, 0)", "4"},
    EvalCase{"ROUNDS(0.125, 2)", "0.12"},
    EvalCase{"ROUND(2.675, 2)", "2.67"},
    EvalCase{"ROUND5(2.5, 0)", "3"},
    EvalCase{"INT(-2.7)", "-2"},
    EvalCase{"ABS(-2)", "2"},
    EvalCase{"SQRT(16)", "4"},
    EvalCase{"SQR(3)", "9"},
    EvalCase{"POWER(2, 0.5)", "1.4142135623731"},
    EvalCase{"PI()", "3.141592653"},
    EvalCase{"MAX(2, 10)", "10"},
    EvalCase{"MIN(01.01.2005, 02.01.2004)", "02.01.2004"},
    EvalCase{"SQRT(-1)", "Ошибка в строке 1 | Недопустимый аргумент функции SQRT: -1 | Обработка прервана"},
    EvalCase{"LN(0)", "Ошибка в строке 1 | Недопустимый аргумент функции LN: 0 | Обработка прервана"},
    EvalCase{"ARCSIN(2)", "Ошибка в строке 1 | Недопустимый аргумент функции ARCSIN: 2 | Обработка прервана"},
    EvalCase{"COTAN(0)", "Ошибка в строке 1 | Недопустимый аргумент функции COTAN: 0 | Обработка прервана"},
    EvalCase{"EXP(1000)", "Ошибка в строке 1 | Недопустимый аргумент функции EXP: 1000 | Обработка прервана"},
    EvalCase{"EXP(0)", "1"},
    EvalCase{"RANDOMISE()", "905"},
    EvalCase{"DATE()", "12.05.2005"},
    EvalCase{"TIME()", "14:05:09"},
    EvalCase{"DAY(07.05.2005) + MONTH(07.05.2005) + YEAR(07.05.2005)", "2017"},
    EvalCase{"MONTHNAME(5)", "'Май'"},
    EvalCase{"MONTHNAME(13)", "''"},
    EvalCase{"BOM(15.02.2004)", "01.02.2004"},
    EvalCase{"EOM(15.02.2004)", "29.02.2004"},
    EvalCase{"EOM(15.02.1900)", "28.02.1900"},
    EvalCase{"EOM(15.02.2100)", "28.02.2100"},
    EvalCase{"EOM(15.02.2000)", "29.02.2000"},
    EvalCase{"EOM(10.04.2005)", "30.04.2005"},
    EvalCase{"BOY(15.02.2004)", "01.01.2004"},
    EvalCase{"DOW(01.11.1999)", "1"},
    EvalCase{"DOW(07.11.1999)", "7"},
    EvalCase{"KOL_DAY('5', 01.05.2005, 31.05.2005)", "22"},
    EvalCase{"KOL_DAY('5', 31.05.2005, 01.05.2005)", "22"},
    EvalCase{"KOL_DAY('6', 01.05.2005, 31.05.2005)", "26"},
    EvalCase{"KOL_DAY('0', 01.05.2005, 31.05.2005)", "31"},
    EvalCase{"MACROS('A+1')", "( A + 1 )"},
    EvalCase{"NETUST() + СЕТЬ()", "2"}));

}  // namespace
