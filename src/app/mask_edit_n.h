#pragma once
// TMaskEditN: the numeric input control, a thin QLineEdit over
// MaskEditNModel, shown in a fixed-pitch font so the digits line up.
#include <QLineEdit>

#include "app/mask_edit_n_model.h"

class TMaskEditN : public QLineEdit {
    Q_OBJECT
public:
    explicit TMaskEditN(QWidget* parent = nullptr, std::string_view mask = app::kStandardNumberMask);

    double value() const { return model_.value(); }
    void setValue(double value);
    const app::MaskEditNModel& model() const { return model_; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showModel();
    app::MaskEditNModel model_;
};
