#include "net/SocketsLibrary.h"

#include "net/ESocketError.h"

#include <string>

namespace tuvako {
namespace {

struct LibraryState {
    std::recursive_mutex lock;
    int instances = 0;
    bool started = false;
    std::uint64_t startedGeneration = 0;  // which table in place was started
    std::uint8_t versionLow = 1;
    std::uint8_t versionHigh = 1;
};

LibraryState& State() {
    static LibraryState state;
    return state;
}

}  // namespace

SocketsApi& SocketsLibrary::Api() {
    LibraryState& state = State();
    std::lock_guard guard(state.lock);
    SocketsApi& table = Sockets();
    if (!IsStarted()) {
        // A table put in place by a test starts afresh; the one it replaced is left alone.
        state.started = false;
        const int result = table.Startup(RequestedVersion());
        if (result != 0)
            throw ESocketError(AnsiString(table.LibraryName()) + ": WSAStartup error #" +
                               std::to_string(result));
        state.started = true;
        state.startedGeneration = SocketsApiGeneration();
    }
    return table;
}

void SocketsLibrary::AddInstance() {
    std::lock_guard guard(State().lock);
    ++State().instances;
}

void SocketsLibrary::RemoveInstance() {
    LibraryState& state = State();
    std::lock_guard guard(state.lock);
    if (--state.instances < 1) Stop();
}

void SocketsLibrary::Stop() {
    LibraryState& state = State();
    if (IsStarted()) Sockets().Cleanup();
    state.started = false;
}

int SocketsLibrary::InstanceCount() {
    std::lock_guard guard(State().lock);
    return State().instances;
}

bool SocketsLibrary::IsStarted() {
    std::lock_guard guard(State().lock);
    return State().started && State().startedGeneration == SocketsApiGeneration();
}

std::uint16_t SocketsLibrary::RequestedVersion() {
    std::lock_guard guard(State().lock);
    return std::uint16_t(State().versionLow + 256 * State().versionHigh);
}

bool SocketsLibrary::SetRequestedVersion(std::uint8_t low, std::uint8_t high) {
    std::lock_guard guard(State().lock);
    if (IsStarted()) return false;
    State().versionLow = low;
    State().versionHigh = high;
    return true;
}

std::recursive_mutex& SocketsLibrary::SendQueueLock() {
    static std::recursive_mutex lock;
    return lock;
}

}  // namespace tuvako
