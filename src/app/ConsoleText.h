// Text of the terminal (code page 1252 bytes) made fit for a UTF-8 console.
#pragma once

#include "platform/AnsiString.h"

#include <string>
#include <string_view>

namespace tuvako {

// `text`, code page 1252 bytes, encoded in UTF-8; line ends and other control bytes unchanged.
std::string Utf8Text(std::string_view text);

// `text` as the log pane shows it, control bytes written as "[13]" and the rest read as code
// page 1252, encoded in UTF-8: what `tuvako --check` prints of the records it receives.
std::string ConsoleText(std::string_view text);

}  // namespace tuvako
