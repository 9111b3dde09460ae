#pragma once
// TFormPoOtd: departments and groups. Maintains POD.DBF or BPOD.DBF, or lets
// the user choose departments (or groups, then departments) before the card
// file or the timesheet opens for them.
#include <QWidget>
#include <string>
#include <vector>

#include "app/child_window.h"
#include "org/org_window_env.h"
#include "org/units.h"

class QComboBox;
class QFrame;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace org {

enum class PoOtdRole { Departments, Groups, Choice };

class TFormPoOtd : public QWidget, public app::ChildWindow {
    Q_OBJECT
public:
    // `mode`: the opening mode of a choice ("kao", "kag", "tao", ...).
    TFormPoOtd(OrgWindowEnv env, PoOtdRole role, std::string mode, QWidget* parent = nullptr);
    ~TFormPoOtd() override;

    void FormActivate() override;

    bool showingGroups() const { return kind_ == UnitKind::Group; }
    const UnitChoice& choice() const { return choice_; }
    const std::string& mode() const { return mode_; }

    void ToolButton3Click();  // confirm the choice
    void ToolButton4Click();  // mark the current row
    void ToolButton2Click();  // mark all rows
    void ToolButton6Click();  // edit
    void ToolButton7Click();  // add
    void ToolButton8Click();  // delete
    void BitBtn1Click();      // cancel the panel
    void BitBtn2Click();      // save the panel

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void reload(int64_t keepRecNo = 0);
    void fillGrid();
    void sizeColumns();
    void fillGroupCombo();
    void ComboBox1Change();
    void gridDoubleClick();
    int currentRow() const;
    std::string caption() const;

    OrgWindowEnv env_;
    PoOtdRole role_;
    std::string mode_;
    UnitKind kind_;
    std::vector<Unit> shown_;
    UnitChoice choice_;
    std::optional<Unit> editing_;  // the row in the panel (empty when adding)

    QTableWidget* grid_ = nullptr;
    QFrame* panel_ = nullptr;
    QLineEdit *edit1_ = nullptr, *edit2_ = nullptr, *edit3_ = nullptr;
    QComboBox* combo_ = nullptr;
    QPushButton* bitBtn3_ = nullptr;
    QToolButton *tb2_ = nullptr, *tb3_ = nullptr, *tb4_ = nullptr, *tb6_ = nullptr, *tb7_ = nullptr, *tb8_ = nullptr;
    QMenu* popup_ = nullptr;
};

}  // namespace org
