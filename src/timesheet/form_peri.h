#pragma once
// Tperi: the accounting month dialog ("   Расчетный месяц"). The month list
// comes from the data folder's nammec.dbf, the years from 1995 to the stored
// year + 30. "Установить" stores the choice; the caller saves it as "!l!".
#include <QDialog>
#include <optional>
#include <string>

#include "timesheet/calc_inputs.h"

class QComboBox;
class QListWidget;

namespace timesheet {

// The first twelve `nam` values of nammec.dbf (cp1251, trimmed); empty when
// the table is missing.
std::vector<std::string> monthNamesFrom(const std::string& nammecPath);

class Tperi : public QDialog {
    Q_OBJECT
public:
    Tperi(const std::string& dataFolder, const Month& stored, QWidget* parent = nullptr);

    void BitBtn1Click();  // "Установить"
    // The chosen month after "Установить".
    std::optional<Month> chosen() const { return chosen_; }

    // Runs the dialog; the chosen month, or nullopt when cancelled.
    static std::optional<Month> Choose(const std::string& dataFolder, const Month& stored, QWidget* parent);

private:
    QListWidget* listBox1_ = nullptr;
    QComboBox* comboBox1_ = nullptr;
    std::optional<Month> chosen_;
};

}  // namespace timesheet
