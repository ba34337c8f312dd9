#include "net/TWSocket.h"

namespace tuvako {

TWSocket::TWSocket(QObject* owner) : TCustomLineWSocket(owner) {}

}  // namespace tuvako
