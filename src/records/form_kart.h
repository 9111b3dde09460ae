#pragma once
// TFormKart: the personal card over the one-row working copy. A thin
// window: it gathers the controls' values and calls the card operations
// (save, personnel number, position, dismissal and undo, history rows,
// user fields, write-back on close).
#include <QDialog>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/field_dictionary.h"
#include "db/table.h"
#include "records/card_save.h"
#include "records/history.h"
#include "records/records_env.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class QCheckBox;

namespace records {

class HistoryModel;

class TFormKart : public QDialog {
    Q_OBJECT
public:
    // Opens on the working copy (working folder DANN.DBF) built just before.
    TFormKart(RecordsEnv& env, const app::Dictionary& dict, bool hiring, QWidget* parent = nullptr);
    ~TFormKart() override;

    bool wroteBack() const { return wroteBack_; }
    bool saved() const { return saved_; }
    bool readOnly() const { return readOnly_; }
    QWidget* control(const std::string& field) const;
    // The value of a sheet-1 control as the card stores it (cp1251).
    std::string value(const std::string& field) const;
    void setValue(const std::string& field, const std::string& text);

    void BitBtnList1Click();  // save
    void BitBtnList3Click();  // take the user fields
    void BitBtn1Click();      // dismiss / undo dismissal
    void BitBtn12Click();     // propose a free personnel number
    void LkEnter();           // Enter in the personnel number
    void DolClick();          // position choice
    void HistoryEdit(HistoryTab tab);
    void HistoryAdd(HistoryTab tab);
    void HistoryDelete(HistoryTab tab);
    HistoryModel* history(HistoryTab tab) const { return history_.at(int(tab)); }

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void buildSheet1(QWidget* page);
    void buildSheet2(QWidget* page);
    QWidget* buildHistory(HistoryTab tab);
    QWidget* buildExtra();
    void loadFromCopy();
    void refreshSeniority();
    void refreshCaption();
    void applyReadOnly();
    void writeErrorRow();

    RecordsEnv& env_;
    const app::Dictionary& dict_;
    bool hiring_;
    std::unique_ptr<db::Table> copy_;
    int64_t code_ = 0;
    NotedAssignment noted_;
    NewAssignmentMemory memory_;
    std::map<std::string, QWidget*> controls_;
    std::vector<QWidget*> userControls_;
    std::vector<const app::DictionaryEntry*> userFields_;
    QTabWidget* pages_ = nullptr;
    QLabel* deptLabel_ = nullptr;
    QLabel* seniority_[3] = {};
    QLabel* probation_ = nullptr;
    QLabel* contract_ = nullptr;
    QLabel* photo_ = nullptr;
    QCheckBox* dismissedBox_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* saveUserButton_ = nullptr;
    QPushButton* dismissButton_ = nullptr;
    QPushButton* photoButton_ = nullptr;
    std::map<int, HistoryModel*> history_;
    std::map<int, QTableView*> historyViews_;
    bool saved_ = false, userChanged_ = false, wroteBack_ = false, readOnly_ = false;
};

}  // namespace records
