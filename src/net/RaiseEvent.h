// Calling an optional event handler safely.
#pragma once

#include <utility>

namespace tuvako {

// Calls `event` if it is set and says whether it was. The handler runs from a copy, so a
// handler that assigns another handler to the same event does not pull itself from under its
// own feet.
template <class Event, class... Args>
bool RaiseEvent(const Event& event, Args&&... args) {
    if (!event) return false;
    const Event running = event;
    running(std::forward<Args>(args)...);
    return true;
}

}  // namespace tuvako
