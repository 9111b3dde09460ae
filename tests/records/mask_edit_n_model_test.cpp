#include "app/mask_edit_n_model.h"

#include <gtest/gtest.h>

using app::MaskEditNModel;

namespace {

std::string blanks(int n) { return std::string(n, ' '); }

TEST(MaskShape, StandardAndWideMasks) {
    EXPECT_EQ(app::numberMaskShape(app::kStandardNumberMask).integerWidth, 12);
    EXPECT_EQ(app::numberMaskShape(app::kStandardNumberMask).decimals, 2);
    EXPECT_EQ(app::numberMaskShape(app::kWideNumberMask).integerWidth, 16);
    EXPECT_EQ(app::numberMaskShape("#####9\\.999;1; ").decimals, 3);
}

TEST(MaskCanonical, Values) {
    const auto std = app::numberMaskShape(app::kStandardNumberMask);
    struct Case { double v; std::string text; } cases[] = {
        {0, blanks(11) + "0.00"},
        {1234.5, blanks(7) + "1 234.50"},
        {1000000, blanks(3) + "1 000 000.00"},
        {123, blanks(9) + "123.00"},  // a group of exactly three: same text
        {123456, blanks(5) + "123 456.00"},
        {1.125, blanks(11) + "1.125"},  // a stored third decimal is kept
        {-1234, blanks(6) + "-1 234.00"},
        {12345678901234.0, "12 345 678 901 234.00"},  // wider than the field: unpadded
    };
    for (const auto& c : cases) EXPECT_EQ(app::canonicalNumberText(c.v, std), c.text) << c.v;
    EXPECT_EQ(app::numberTextForValue(0.00004, std), blanks(11) + "0.00");
    EXPECT_EQ(app::numberTextForValue(-0.00004, std), blanks(11) + "0.00");
}

TEST(MaskRead, TextsToValues) {
    EXPECT_DOUBLE_EQ(app::numberValueOfText(blanks(7) + "1 234.50"), 1234.5);
    EXPECT_DOUBLE_EQ(app::numberValueOfText(blanks(12) + ".00"), 0);
    EXPECT_DOUBLE_EQ(app::numberValueOfText(blanks(12) + ".  "), 0);
    EXPECT_DOUBLE_EQ(app::numberValueOfText("12.      "), 12);
    EXPECT_DOUBLE_EQ(app::numberValueOfText("1.2.3"), 0);
    EXPECT_DOUBLE_EQ(app::numberValueOfText("1-2"), 0);
}

// Key and character sequences after entering a field that shows 1 234.50.
struct KeyCase {
    const char* name;
    std::vector<std::pair<int, char>> keys;  // virtual key, character (0 = none)
    std::string text;
};

TEST(MaskEditing, KeyByKey) {
    const KeyCase cases[] = {
        {"digit clears the fresh field", {{55, '7'}}, "7" + blanks(11) + ".00"},
        // Right moves the caret to position 1, where the 7 overwrites a blank.
        {"Right keeps the old value", {{app::kKeyRight, 0}, {55, '7'}}, " 7" + blanks(5) + "1 234.50"},
        {"Home keeps the old value", {{app::kKeyHome, 0}, {55, '7'}}, "7" + blanks(6) + "1 234.50"},
        {"Left keeps the fresh state", {{app::kKeyLeft, 0}, {55, '7'}}, "7" + blanks(11) + ".00"},
        {"digits then a comma right-align", {{49, '1'}, {50, '2'}, {188, ','}}, blanks(10) + "12.00"},
        {"decimals after the point", {{49, '1'}, {190, '.'}, {53, '5'}}, blanks(11) + "1.50"},
        {"a letter first does nothing", {{65, 'a'}}, blanks(7) + "1 234.50"},
        {"a point first right-aligns the integer part", {{190, '.'}}, blanks(7) + "1 234.00"},
        {"minus and digits", {{189, '-'}, {53, '5'}}, "-5" + blanks(10) + ".00"},
    };
    for (const auto& c : cases) {
        MaskEditNModel m;
        m.setValue(1234.5);
        m.enter();
        for (auto [key, ch] : c.keys) {
            m.keyDown(key);
            if (ch) m.typeChar(ch);
        }
        EXPECT_EQ(m.text(), c.text) << c.name;
    }
}

TEST(MaskEditing, LeavingGivesCanonicalText) {
    MaskEditNModel m;
    m.setValue(1234.5);
    m.enter();
    m.keyDown(49);
    m.typeChar('1');
    m.keyDown(50);
    m.typeChar('2');
    m.leave();
    EXPECT_EQ(m.text(), blanks(10) + "12.00");
    EXPECT_DOUBLE_EQ(m.value(), 12);

    MaskEditNModel empty;
    empty.setText(empty.emptyTemplate());
    empty.leave();
    EXPECT_EQ(empty.text(), blanks(11) + "0.00");
}

TEST(MaskEditing, BackspaceBlanksAPosition) {
    MaskEditNModel m;
    m.setValue(5);
    m.enter();
    m.keyDown(app::kKeyEnd);  // ends the fresh state
    m.keyDown(app::kKeyBackspace);
    m.keyDown(app::kKeyBackspace);
    EXPECT_EQ(m.text(), blanks(11) + "5.  ");
    m.leave();
    EXPECT_EQ(m.text(), blanks(11) + "5.00");
}

}  // namespace
