#include "app/mask_edit_n_model.h"

#include <cmath>

#include "base/number_format.h"
#include "base/text_trim.h"

namespace app {

namespace {

std::string withoutBlanks(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != ' ') out += c;
    return out;
}

// Digits grouped in threes from the right with one blank; a sign stays in
// front of the first group.
std::string groupedInteger(std::string_view digits) {
    std::string sign;
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
        sign = std::string(1, digits[0]);
        digits.remove_prefix(1);
    }
    std::string out;
    int counted = 0;
    for (auto i = digits.size(); i-- > 0;) {
        if (counted > 0 && counted % 3 == 0) out.insert(out.begin(), ' ');
        out.insert(out.begin(), digits[i]);
        ++counted;
    }
    return sign + out;
}

}  // namespace

NumberMaskShape numberMaskShape(std::string_view mask) {
    NumberMaskShape shape;
    const auto point = mask.find('.');
    const auto semicolon = mask.find(';');
    if (point == std::string_view::npos) return shape;
    // 1-based positions: W = point - 2, D = semicolon - point - 1.
    shape.integerWidth = int(point + 1) - 2;
    shape.decimals = semicolon == std::string_view::npos ? 0 : int(semicolon) - int(point) - 1;
    if (shape.integerWidth < 1) shape.integerWidth = 1;
    if (shape.decimals < 0) shape.decimals = 0;
    return shape;
}

std::string canonicalNumberText(double value, NumberMaskShape shape) {
    std::string s = withoutBlanks(base::trimBlanks(base::formatNumber(value)));
    for (char& c : s)
        if (c == ',') c = '.';
    const auto point = s.find('.');
    std::string integer = point == std::string::npos ? s : s.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : s.substr(point + 1);
    std::string text = groupedInteger(integer);
    if (int(text.size()) < shape.integerWidth) text.insert(0, shape.integerWidth - text.size(), ' ');
    text += '.';
    // The decimals present are kept (a stored value may have more than D).
    text += fraction;
    for (int i = int(fraction.size()); i < shape.decimals; ++i) text += '0';
    return text;
}

std::string numberTextForValue(double value, NumberMaskShape shape) {
    if (std::fabs(value) * 10000 < 1) value = 0;
    return canonicalNumberText(value, shape);
}

double numberValueOfText(std::string_view text) {
    const std::string s = withoutBlanks(text);
    if (s.empty() || s == "." || s == "-") return 0;
    const auto v = base::parseNumber(s);
    if (v) return *v;
    // "12." or ".5" and the like that the strict reader may refuse.
    const auto w = base::parseNumber(s + "0");
    return w ? *w : 0;
}

MaskEditNModel::MaskEditNModel(std::string_view mask) : mask_(mask), shape_(numberMaskShape(mask)) {
    text_ = std::string(shape_.integerWidth, ' ') + "." + std::string(shape_.decimals, ' ');
}

std::string MaskEditNModel::emptyTemplate() const {
    return std::string(shape_.integerWidth, ' ') + "." + std::string(shape_.decimals, '0');
}

void MaskEditNModel::setText(std::string_view text) {
    text_ = std::string(text);
    if (int(text_.size()) < maxLength()) text_.append(maxLength() - text_.size(), ' ');
    cursor_ = 0;
}

void MaskEditNModel::enter() { fresh_ = true; }

void MaskEditNModel::leave() {
    setText(canonicalNumberText(value(), shape_));
    fresh_ = false;
}

void MaskEditNModel::keyDown(int key) {
    const bool keepsFresh = key == kKeyLeft || key == kKeyInsert || key == kKeyDelete || key == kKeyHelp ||
                            (key >= 48 && key <= 57) || (key >= 96 && key <= 105) || key == kKeyNumpadMinus ||
                            key == kKeyMinus;
    if (!keepsFresh) fresh_ = false;
    const int last = int(text_.size());
    switch (key) {
        case kKeyLeft: moveTo(cursor_ - 1); break;
        case kKeyRight: moveTo(cursor_ + 1); break;
        case kKeyHome: moveTo(0); break;
        case kKeyEnd: moveTo(last); break;
        case kKeyBackspace:
            if (cursor_ > 0) {
                moveTo(cursor_ - 1);
                if (!isLiteral(cursor_)) text_[cursor_] = ' ';
            }
            break;
        case kKeyDelete:
            if (cursor_ < last && !isLiteral(cursor_)) text_[cursor_] = ' ';
            break;
        default: break;
    }
}

bool MaskEditNModel::typeChar(char c) {
    if (c == ',') c = '.';
    const bool allowed = (c >= '0' && c <= '9') || c == '.' || c == '-';
    if (fresh_) {
        setText(emptyTemplate());
        fresh_ = false;
    }
    if (!allowed) return false;
    if (c == '.') {
        const auto point = text_.find('.');
        std::string integer = base::trimBlanks(point == std::string::npos ? text_ : text_.substr(0, point));
        if (int(integer.size()) < shape_.integerWidth) integer.insert(0, shape_.integerWidth - integer.size(), ' ');
        text_ = integer + "." + std::string(shape_.decimals, '0');
        cursor_ = shape_.integerWidth;
    }
    fresh_ = false;
    putChar(c);
    return true;
}

bool MaskEditNModel::accepts(int pos, char c) const {
    if (pos < 0 || pos >= maxLength()) return false;
    if (isLiteral(pos)) return c == '.';
    const bool digit = c >= '0' && c <= '9';
    // The last integer position and the decimals take digits only ("9"),
    // the positions before them a digit or a sign ("#").
    if (pos < shape_.integerWidth - 1) return digit || c == '-' || c == '+';
    return digit;
}

// The fixed-position editor: a typed literal steps over the point; any other
// character overwrites the position under the caret (stepping over the point
// first) and moves the caret on.
void MaskEditNModel::putChar(char c) {
    if (cursor_ >= maxLength()) return;
    if (isLiteral(cursor_)) {
        if (c == '.') {
            moveTo(cursor_ + 1);
            return;
        }
        moveTo(cursor_ + 1);
    } else if (c == '.') {
        return;
    }
    if (!accepts(cursor_, c)) return;
    text_[cursor_] = c;
    moveTo(cursor_ + 1);
}

void MaskEditNModel::moveTo(int pos) {
    if (pos < 0) pos = 0;
    if (pos > int(text_.size())) pos = int(text_.size());
    cursor_ = pos;
}

}  // namespace app
