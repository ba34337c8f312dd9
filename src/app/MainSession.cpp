// The server session of the main window.
#include "app/Main.h"

namespace tuvako {

// Placeholder until the server session lands: the session's own code replaces this file.
void TfrmTuvakoMain::OpenSession() {}

}  // namespace tuvako
