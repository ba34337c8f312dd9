// The nine settings of "Selvaro.ini" read as the terminal reads them, each with where its value
// came from: what `tuvako --check` shows an installer.
#pragma once

#include "platform/AnsiString.h"

#include <vector>

namespace tuvako {

class TAbstractStore;

struct SettingsReport {
    struct Line {
        AnsiString section;
        AnsiString key;
        AnsiString value;  // as the terminal takes it: a number, "on"/"off" or the text
        bool fromFile = false;
        AnsiString fileText;  // what the file says, when it says something unusable
    };

    AnsiString terminalSection;
    AnsiString terminalId;
    AnsiString serverAddress;
    AnsiString port;
    bool useServer = false;
    std::vector<Line> lines;  // in the order the terminal reads them

    // Opens the store, reads the nine keys with the terminal's defaults and rules, closes it.
    static SettingsReport Read(TAbstractStore& store, const AnsiString& terminalSection);

    // "  [MessageSrv] PingTime = 180 (file)", one such line per setting.
    AnsiString Format() const;
    // Whether the file gave any setting of the terminal's section. When not (the section is
    // missing, or /SRVNO= names the wrong one), every terminal setting has its default.
    bool TerminalSectionUsed() const;
};

}  // namespace tuvako
