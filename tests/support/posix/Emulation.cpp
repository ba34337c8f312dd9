#include "support/Emulation.h"

namespace tuvako::test {

bool RunsUnderWine() {
    return false;
}

}  // namespace tuvako::test
