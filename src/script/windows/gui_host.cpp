#include "script/windows/gui_host.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QMetaObject>

#include "script/interpreter.h"
#include "script/windows/form_indikat.h"
#include "script/windows/form_interp.h"
#include "script/windows/qt_text.h"

namespace script::windows {

namespace {

QString lines(const Message& m) {
    QString text = toQt(m.line1);
    if (!m.line2.empty()) text += "\n" + toQt(m.line2);
    if (!m.line3.empty()) text += "\n" + toQt(m.line3);
    return text;
}

}  // namespace

GuiHost::GuiHost(Host& inner, QWidget* parent) : inner_(inner), parent_(parent) {}
GuiHost::~GuiHost() = default;

void GuiHost::showMessage(const Message& m) {
    QMessageBox box(QMessageBox::Information, QString::fromUtf8("Сообщение"), lines(m), QMessageBox::Ok, parent_);
    box.exec();
}

void GuiHost::showMessageBox(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString(), toQt(text), QMessageBox::Ok, parent_);
    box.exec();
}

// The refusing button has the focus, so Enter at once answers "no".
int GuiHost::askQuestion(const Message& m, const std::string&) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8("Вопрос"), lines(m), QMessageBox::Yes | QMessageBox::No,
                    parent_);
    box.setDefaultButton(QMessageBox::No);
    const int r = box.exec();
    return r == QMessageBox::Yes ? 1 : r == QMessageBox::No ? 2 : 0;
}

void GuiHost::progressOpen(int maximum) {
    progress_ = std::make_unique<TFormIndikat>(parent_);
    progress_->setMaximum(maximum);
    progress_->onAbort([this] {
        if (interpreter_) interpreter_->requestAbort();
    });
    progress_->show();
}

void GuiHost::progressStatus(const std::string& text) {
    if (progress_) progress_->setStatus(toQt(text));
}

void GuiHost::progressPosition(int position) {
    if (progress_) progress_->setPosition(position);
}

void GuiHost::progressClose() { progress_.reset(); }

void GuiHost::processEvents() { QCoreApplication::processEvents(); }

void GuiHost::afterStep(Interpreter& in, int statementIndex) {
    if (debugger_) debugger_->onStep(in, statementIndex);
}

void GuiHost::terminateApplication() {
    if (auto* app = QCoreApplication::instance()) QMetaObject::invokeMethod(app, "quit", Qt::QueuedConnection);
}

}  // namespace script::windows
