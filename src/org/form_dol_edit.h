#pragma once
// TFormDolEdit: the built-in stand-in for the "kr_dol" run-time forms while
// the form engine is not there. It works the same road: reads the record
// from doc_buf of the working folder, shows one edit per field and, when
// saved, leaves the values in doc_frm for the staffing table to store.
#include <QDialog>
#include <string>
#include <vector>

class QLineEdit;

namespace org {

class TFormDolEdit : public QDialog {
    Q_OBJECT
public:
    TFormDolEdit(std::string workFolder, QWidget* parent = nullptr);

    // Writes doc_frm from the edits and closes.
    void BitBtnSaveClick();

    // An opener for editPosition that shows this form modally.
    static void Open(const std::string& workFolder, QWidget* parent);

private:
    std::string workFolder_;
    std::vector<std::pair<std::string, QLineEdit*>> edits_;  // field name, its edit
};

}  // namespace org
