#include "net/TClientSocket.h"

namespace tuvako {

TClientSocket::TClientSocket(QObject* owner) : TCustomLineSocket(owner) {}

}  // namespace tuvako
