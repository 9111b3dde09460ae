#pragma once
// Installs the records windows into the frame: the card file commands
// ("Общая картотека" and its toolbar button) open TDannForm as a child window.
// The frame's owner calls installRecordsWindows once after FormCreate.
#include <QObject>
#include <memory>

#include "records/records_env.h"

namespace app {
class Tkadr_o;
}

namespace records {

class TDannForm;

class RecordsWindows : public QObject {
    Q_OBJECT
public:
    explicit RecordsWindows(app::Tkadr_o& frame);
    // Opens the card file in `view` (only one card file at a time).
    TDannForm* openCardFile(const std::string& view);

private:
    void refreshEnv();
    void setFrameCommands(bool enabled);

    app::Tkadr_o& frame_;
    RecordsEnv env_;
    NoRuntimeForms noForms_;
    TDannForm* cardFile_ = nullptr;
};

// Creates the RecordsWindows owned by the frame.
RecordsWindows* installRecordsWindows(app::Tkadr_o& frame);

}  // namespace records
