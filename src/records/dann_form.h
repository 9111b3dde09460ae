#pragma once
// TDannForm: the card file. A thin window over CardListModel and the
// records operations: views, search, filters, sort, the personal card,
// hiring, copying, archive and deletion, and the frame's command flags.
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "app/child_window.h"
#include "app/field_dictionary.h"
#include "records/card_lifecycle.h"
#include "records/card_list.h"
#include "records/card_list_model.h"
#include "records/records_env.h"

class QLabel;
class QMenu;
class QPushButton;
class QTableView;

namespace records {

class TDannForm : public QWidget, public app::ChildWindow {
    Q_OBJECT
public:
    TDannForm(RecordsEnv& env, CardListView view, QWidget* parent = nullptr);
    ~TDannForm() override;

    void FormActivate() override;
    QString caption() const { return windowTitle(); }
    CardListModel& model() { return *model_; }
    int currentRow() const;
    void setCurrentRow(int row);
    int64_t currentCode() const { return currentCode_; }
    const std::string& searchText() const { return search_; }
    const std::string& exactFilter() const { return exact_; }

    // The handlers, public so that the frame and tests can drive them.
    void BitBtn1Click();  // personal card
    void BitBtn2Click();  // delete or archive
    void BitBtn3Click();  // hire
    void BitBtn4Click();  // continue search
    void BitBtn5Click();  // exact filter
    void BitBtn6Click();  // sort by the current column
    void BitBtn7Click();  // copy
    void CancelFilter();
    void PrintList(bool excel);  // DANN_C.DBF, then the print hook
    void SearchChar(char c);
    // Hook for the filter generator: a filter expression and its readable text.
    void SetDialogFilter(const std::string& expression, const std::string& readable);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void openList(int64_t goToCode);
    void applyFilter();
    void RecordChange();
    void updateEnabled();
    void openCard(int64_t code, bool hiring);
    void removalCaption();
    std::vector<app::ColumnLayout> currentLayout() const;
    std::string currentField() const;
    bool searchFromStart() const;

    RecordsEnv& env_;
    CardListView view_;
    CardFileState state_;
    app::Dictionary dict_;
    std::unique_ptr<CardListModel> model_;
    QTableView* grid_ = nullptr;
    QLabel* photo_ = nullptr;
    QWidget* panel_ = nullptr;
    std::vector<QPushButton*> buttons_;
    QMenu* popup_ = nullptr;
    std::string sortField_;
    std::string search_, exact_, dialogFilter_, dialogText_;
    std::string savedCaption_;
    std::vector<app::ColumnLayout> layoutAtOpening_;
    int64_t currentCode_ = 0;
    int searchColumn_ = -1;
    bool opened_ = false;
    bool reopening_ = false;  // no record change while the list reopens
};

}  // namespace records
