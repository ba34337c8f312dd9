// The base of the exceptions that the settings and timer components raise.
#pragma once

#include "platform/Exception.h"

namespace tuvako {

TUVAKO_DECLARE_EXCEPTION(EComponentError, Exception);

}  // namespace tuvako
