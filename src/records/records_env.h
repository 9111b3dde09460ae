#pragma once
// What the records windows receive from the frame: the folder context, the
// command dispatcher, the form runner and a few settings hooks.
#include <QFont>
#include <functional>
#include <string>
#include <vector>

#include "app/command_dispatcher.h"
#include "records/print_table.h"
#include "records/records_context.h"
#include "records/runtime_forms.h"

namespace records {

// The forms stand-in until run-time forms exist: nothing is confirmed.
class NoRuntimeForms : public RuntimeForms {
public:
    void open(const std::string&, const FormFiles&) override {}
};

struct RecordsEnv {
    RecordsContext ctx;
    app::CommandDispatcher* commands = nullptr;
    RuntimeForms* forms = nullptr;
    std::string sortField;                                   // "iND"
    std::function<void(const std::string&)> storeSortField;  // WriteSetup("iND", ...)
    std::function<bool()> confirmDelete;                     // TFormDelete
    std::function<void(const std::string&)> runFormFile;     // form runner, source 1
    std::function<void(const QString&)> setSearchLabel;      // the frame's search label
    // The staffing table as a chooser (SelectorMode 5): the chosen KDOL, "" for none.
    std::function<std::string()> choosePosition;
    // Print or export of the card file (the print pipeline): the columns, the title, spreadsheet or not.
    std::function<void(const std::vector<PrintColumn>&, const std::string&, bool)> print;
    // The frame's add, edit, copy and delete buttons (off while a card that is not working is open).
    std::function<void(bool)> setEditCommands;
    bool searchFromStart = true;                             // "  Поиск от начала "
    bool complexCalendars = false;                           // "PV2" = "1"
    bool fromCommonBases = false;                            // OpenMode "sa"
    QFont font;
};

}  // namespace records
