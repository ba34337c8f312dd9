// The process-wide sockets library: started on first use, stopped when the last socket goes.
#pragma once

#include "platform/SocketsApi.h"

#include <cstdint>
#include <mutex>

namespace tuvako {

// Every socket call goes through Api(), which starts the sockets library (version 1.1) the
// first time it is needed. Socket objects count themselves in and out; when the count falls
// below 1 the library is stopped, and the next use starts it again. All of it is guarded by one
// re-entrant, process-wide lock.
class SocketsLibrary {
public:
    // The sockets table, started if it is not yet. Raises ESocketError when starting fails.
    static SocketsApi& Api();

    static void AddInstance();
    // Stops the library when this was the last socket object.
    static void RemoveInstance();
    static int InstanceCount();
    static bool IsStarted();

    // The requested version, low byte major; changes only while the library is not started.
    static std::uint16_t RequestedVersion();
    static bool SetRequestedVersion(std::uint8_t low, std::uint8_t high);

    // Held during every change and drain of any socket's send queue.
    static std::recursive_mutex& SendQueueLock();

private:
    static void Stop();
};

}  // namespace tuvako
