// Carries out the steps that act on one terminal: sending, closing, resetting.
#pragma once

#include "sim/ScenarioStep.h"

#include <cstdint>
#include <string>

namespace tuvako::sim {

class SimConnection;

class StepActions {
public:
    // True for the steps that Perform carries out.
    static bool ActsOnConnection(StepKind kind);
    static void Perform(const ScenarioStep& step, SimConnection& connection);

    // `count` bytes of every value, from a fixed seed so that a failure can be replayed,
    // followed by CR LF.
    static std::string GarbageLine(std::size_t count, std::uint32_t seed = 7);
    // `count` Base64 letters followed by CR LF.
    static std::string LongLine(std::size_t count);

    // Sends the card of a sample member: number `oneBased` (counting from 1, wrapping), or,
    // for 0, the member after the one sent last.
    static void Swipe(SimConnection& connection, std::int64_t oneBased);
    static void SendChoiceList(SimConnection& connection);
    // The greeting after a choice: `text`, or the current member's greeting when empty.
    static void Greet(SimConnection& connection, const AnsiString& text);
};

}  // namespace tuvako::sim
