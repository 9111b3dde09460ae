#pragma once
// TFormVopr: the question dialog; answers 1 confirm, 2 refuse, 0 closed otherwise.
#include <QDialog>
#include <string>

#include "app/ui_context.h"

namespace app {

class TFormVopr : public QDialog {
    Q_OBJECT
public:
    TFormVopr(const UiContext& ui, const std::string& line1, const std::string& line2, const std::string& line3,
              const std::string& picture, QWidget* parent = nullptr);
    int result() const { return answer_; }

    static int Ask(const UiContext& ui, const std::string& line1, const std::string& line2,
                   const std::string& line3, const std::string& picture = {}, QWidget* parent = nullptr);

private:
    void BitBtn1Click();
    void BitBtn2Click();
    int answer_ = 0;
};

}  // namespace app
