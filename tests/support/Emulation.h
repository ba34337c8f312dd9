// Where the tests run: some behaviour of the real system is not reproduced by an emulation of it.
#pragma once

namespace tuvako::test {

// True under Wine, which runs the Windows build on Linux. It reports a peer's reset as an
// orderly end (FD_CLOSE without WSAECONNRESET), as Windows itself does not.
bool RunsUnderWine();

}  // namespace tuvako::test
