#include "app/mask_edit_n.h"

#include <QFocusEvent>
#include <QFont>
#include <QKeyEvent>

namespace {

// The virtual key code of a Qt key, as the key rule counts keys.
int virtualKeyOf(const QKeyEvent* e) {
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    const int k = e->key();
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return (keypad ? 96 : 48) + (k - Qt::Key_0);
    switch (k) {
        case Qt::Key_Left: return app::kKeyLeft;
        case Qt::Key_Right: return app::kKeyRight;
        case Qt::Key_Home: return app::kKeyHome;
        case Qt::Key_End: return app::kKeyEnd;
        case Qt::Key_Insert: return app::kKeyInsert;
        case Qt::Key_Delete: return app::kKeyDelete;
        case Qt::Key_Help: return app::kKeyHelp;
        case Qt::Key_Backspace: return app::kKeyBackspace;
        case Qt::Key_Minus: return keypad ? app::kKeyNumpadMinus : app::kKeyMinus;
        default: return 1000 + (k & 0xFFFF);  // any key outside the list
    }
}

}  // namespace

TMaskEditN::TMaskEditN(QWidget* parent, std::string_view mask) : QLineEdit(parent), model_(mask) {
    QFont f("Courier");
    f.setStyleHint(QFont::Monospace);
    setFont(f);
    setMaxLength(model_.maxLength() + 4);
    showModel();
}

void TMaskEditN::setValue(double value) {
    model_.setValue(value);
    showModel();
}

void TMaskEditN::showModel() {
    setText(QString::fromLatin1(model_.text().c_str()));
    setCursorPosition(model_.cursor());
}

void TMaskEditN::focusInEvent(QFocusEvent* event) {
    model_.enter();
    QLineEdit::focusInEvent(event);
}

void TMaskEditN::focusOutEvent(QFocusEvent* event) {
    model_.leave();
    showModel();
    QLineEdit::focusOutEvent(event);
}

void TMaskEditN::keyPressEvent(QKeyEvent* event) {
    const int k = event->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape || k == Qt::Key_Tab ||
        k == Qt::Key_Backtab || k == Qt::Key_Up || k == Qt::Key_Down) {
        event->ignore();  // the parent window handles these
        return;
    }
    // The model owns the caret: the widget's own caret moves (mouse clicks)
    // are taken over before each key.
    model_.setCursor(cursorPosition());
    model_.keyDown(virtualKeyOf(event));
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0].unicode() >= 0x20 && typed[0].unicode() < 0x7F)
        model_.typeChar(char(typed[0].unicode()));
    showModel();
    event->accept();
}
