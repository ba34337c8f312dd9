// The server session of the main window.
#include "app/Main.h"

#include "app/Wdef.h"

namespace tuvako {

// Placeholder until the server session lands: the session's own code replaces this file.
void TfrmTuvakoMain::OpenSession() {}

void TfrmTuvakoMain::SendLogin() {
    SendRecord(BuildRecord(texts::kRecordKindLogin, texts::kNoSubject, TerminalId,
                           texts::kRecordField4, texts::kRecordField5, texts::kLoginPassword));
}

void TfrmTuvakoMain::RestartKeepAlive() {
    // SEAM (timer pool): disable the keep-alive trigger, then enable it again with UseServer.
}

}  // namespace tuvako
