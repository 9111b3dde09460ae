#pragma once
// Installs the records windows into the frame: the card file commands
// ("Общая картотека" and its toolbar button) open TDannForm as a child window.
// The frame's owner calls installRecordsWindows once after FormCreate.
#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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
    // Opens the card file in `view` (only one card file at a time); "kao" and
    // "kag" take the department choice held in the frame's run-wide values.
    TDannForm* openCardFile(const std::string& view);
    // The staffing table's chooser for the personal card's position, given
    // by the organisation windows when they are installed.
    void setPositionChooser(std::function<std::string(const std::string&)> chooser);

private:
    void refreshEnv();
    void setFrameCommands(bool enabled);

    app::Tkadr_o& frame_;
    RecordsEnv env_;
    NoRuntimeForms noForms_;
    TDannForm* cardFile_ = nullptr;
    std::function<std::string(const std::string&)> positionChooser_;
    // The commands the open card file switched off (those that were on).
    std::vector<std::string> switchedOff_;
};

// The records environment of a window opened from the frame: its folders,
// workstation, month, language, messages, commands, font and the frame's
// delete confirmation and form runner. Callers add what their window needs
// (run-time forms, sort field, position chooser).
RecordsEnv recordsEnvOfFrame(app::Tkadr_o& frame);

// Creates the RecordsWindows owned by the frame.
RecordsWindows* installRecordsWindows(app::Tkadr_o& frame);

}  // namespace records
