#pragma once
// Whole-file text operations shared by the settings store, scripts and
// output files.
#include <string>
#include <string_view>

#include "base/status.h"
#include "ui/messages.h"

namespace app {

// The file's lines, each followed by CR LF, the last one included; an empty
// file gives "". A line ends at CR LF, CR or LF. A missing file shows
// "Файл " + path + " отсутствует" and gives "".
std::string ReadTextFile(std::string_view path, ui::Messages& messages);
// The same, naming the missing file as `shownName` in the message.
std::string ReadTextFile(std::string_view path, ui::Messages& messages, std::string_view shownName);
// Replaces the file's content with `text`, adding no line break.
base::Status WriteTextFile(std::string_view path, std::string_view text);

}  // namespace app
