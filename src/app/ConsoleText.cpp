#include "app/ConsoleText.h"

#include "app/LogLines.h"
#include "platform/Cp1252.h"

namespace tuvako {

std::string Utf8Text(std::string_view text) {
    return ToQString(AnsiString(text)).toUtf8().toStdString();
}

std::string ConsoleText(std::string_view text) {
    AnsiString shown;
    shown.reserve(text.size());
    LogLines::AppendShown(shown, text);
    return Utf8Text(shown);
}

}  // namespace tuvako
