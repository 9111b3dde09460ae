#pragma once
// TFormUstpro: the program settings window. This build carries the general
// page's data folder path ("Сетевой путь") and the save button; the other
// groups and the structure pages are added with the settings work.
#include <QDialog>

#include "app/settings_store.h"

class QLineEdit;

namespace app {

class TFormUstpro : public QDialog {
    Q_OBJECT
public:
    TFormUstpro(const SettingsStore& store, QWidget* parent = nullptr);

private:
    void BitBtn2Click();
    void BitBtnObzorClick();

    const SettingsStore& store_;
    QLineEdit* edit14_ = nullptr;
};

// The data folder path as stored: trimmed, ending with a separator.
std::string normalisedDataFolder(const std::string& typed);

}  // namespace app
