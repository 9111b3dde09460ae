#include "app/window_messages.h"

#include <QMessageBox>

#include "app/form_soob.h"
#include "app/form_vopr.h"
#include "ui/qt_text.h"

namespace app {

void WindowMessages::soob(const std::string& l1, const std::string& l2, const std::string& l3,
                          const std::string& picture) {
    TFormSoob::SoobMessage(ui_, l1, l2, l3, picture, parent_);
}

void WindowMessages::box(const std::string& text) {
    QMessageBox::information(parent_, QString::fromUtf8("VLT-Отдел кадров"), ui::toQ(text));
}

int WindowMessages::question(const std::string& l1, const std::string& l2, const std::string& l3,
                             const std::string& picture) {
    return TFormVopr::Ask(ui_, l1, l2, l3, picture, parent_);
}

}  // namespace app
