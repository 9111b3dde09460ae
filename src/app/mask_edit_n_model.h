#pragma once
// The editing rules of the numeric input control TMaskEditN, without widgets:
// a fixed-position editor over a mask such as "###########9\.99;1; " (W
// integer positions, a literal point, D decimals), the fresh state that
// clears the field on the first typed character, and the canonical text of a
// value (digits grouped in threes, right-aligned in front of the point, D
// decimals padded with zeros).
#include <string>
#include <string_view>

namespace app {

// The program's standard mask and the wider one of two entry windows.
inline constexpr std::string_view kStandardNumberMask = "###########9\\.99;1; ";
inline constexpr std::string_view kWideNumberMask = "###############9\\.99;1; ";

struct NumberMaskShape {
    int integerWidth = 12;  // W: the point of the text stands at position W + 1
    int decimals = 2;       // D
};
NumberMaskShape numberMaskShape(std::string_view mask);

// The canonical text of `value` for a mask of that shape. A value whose
// integer part does not fit W is shown unpadded (wider than the field).
std::string canonicalNumberText(double value, NumberMaskShape shape);
// Writing a stored value: as canonicalNumberText, except that a magnitude
// below 0.0001 is written as 0.
std::string numberTextForValue(double value, NumberMaskShape shape);
// Reading a value: every blank removed, the rest read as a decimal number
// with "."; text that is not a number reads as 0.
double numberValueOfText(std::string_view text);

// Virtual key codes the key rule distinguishes.
enum VirtualKey : int {
    kKeyLeft = 37, kKeyRight = 39, kKeyHome = 36, kKeyEnd = 35, kKeyInsert = 45, kKeyDelete = 46,
    kKeyHelp = 47, kKeyBackspace = 8, kKeyNumpadMinus = 109, kKeyMinus = 189,
};

class MaskEditNModel {
public:
    explicit MaskEditNModel(std::string_view mask = kStandardNumberMask);

    const std::string& text() const { return text_; }
    int cursor() const { return cursor_; }
    void setCursor(int pos) { moveTo(pos); }
    bool fresh() const { return fresh_; }
    NumberMaskShape shape() const { return shape_; }
    int maxLength() const { return shape_.integerWidth + 1 + shape_.decimals; }

    // The empty template: W blanks, ".", D zeros.
    std::string emptyTemplate() const;

    void setText(std::string_view text);  // fitted to the mask's length when shorter
    void setValue(double value) { setText(numberTextForValue(value, shape_)); }
    double value() const { return numberValueOfText(text_); }

    // Focus in: the fresh state. Focus out: the canonical text of the value.
    void enter();
    void leave();
    // A key before its character: any key outside the digit, minus, Left,
    // Insert, Delete and Help keys ends the fresh state. Editing keys (Left,
    // Right, Home, End, Backspace, Delete) then act on the text.
    void keyDown(int virtualKey);
    // A typed character, through the filter and reset rules; returns whether
    // the character reached the editor.
    bool typeChar(char c);

private:
    bool isLiteral(int pos) const { return pos == shape_.integerWidth; }
    bool accepts(int pos, char c) const;
    void putChar(char c);
    void moveTo(int pos);

    std::string mask_;
    NumberMaskShape shape_;
    std::string text_;
    int cursor_ = 0;
    bool fresh_ = false;
};

}  // namespace app
