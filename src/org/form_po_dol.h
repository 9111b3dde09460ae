#pragma once
// TFormPoDol: the staffing table DOL.DBF. As a child window it maintains the
// positions (the frame's Add, Edit, Delete, Copy and Print commands, moving
// rows up and down); as the personal card's chooser it is a modal dialog
// that returns the chosen position's code.
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "app/child_window.h"
#include "org/org_window_env.h"
#include "org/staffing.h"

class QTableWidget;
class QToolBar;
class QToolButton;

namespace org {

class TFormPoDol : public QWidget, public app::ChildWindow {
    Q_OBJECT
public:
    // `chooserCode`: set for the chooser, the card's current position code.
    TFormPoDol(OrgWindowEnv env, std::optional<std::string> chooserCode = std::nullopt, QWidget* parent = nullptr);
    ~TFormPoDol() override;

    // The chooser: the staffing table modally, the row of `currentCode`
    // made current; the code of the row double-clicked, or nullopt.
    static std::optional<std::string> ChoosePosition(const OrgWindowEnv& env, const std::string& currentCode,
                                                     QWidget* parent = nullptr);

    void FormActivate() override;

    bool isChooser() const { return chooser_; }
    const std::optional<std::string>& chosen() const { return chosen_; }
    int64_t currentRecNo() const;

    void BitBtnDolInsClick();   // add
    void BitBtnDolCopyClick();  // copy
    void BitBtnDolEditClick();  // edit
    void BitBtnDolDelClick();   // delete
    void ToolButton5Click();    // one row down
    void ToolButton3Click();    // one row up
    void DBGridDolDblClick();

signals:
    void positionChosen();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reload(int64_t keepRecNo);
    void move(bool down);
    void report(const base::Status& st);

    OrgWindowEnv env_;
    bool chooser_;
    std::vector<PositionRow> rows_;
    std::optional<std::string> chosen_;
    QToolBar* toolBar_ = nullptr;
    QTableWidget* grid_ = nullptr;
};

}  // namespace org
