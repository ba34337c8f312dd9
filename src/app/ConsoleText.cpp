#include "app/ConsoleText.h"

#include "app/LogLines.h"
#include "platform/Cp1252.h"

namespace tuvako {

std::string ConsoleText(std::string_view text) {
    AnsiString shown;
    shown.reserve(text.size());
    LogLines::AppendShown(shown, text);
    return ToQString(shown).toUtf8().toStdString();
}

}  // namespace tuvako
