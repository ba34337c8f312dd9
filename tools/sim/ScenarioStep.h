// One step of a simulator scenario, or one command typed at the simulator's console.
#pragma once

#include "platform/AnsiString.h"

#include <cstdint>

namespace tuvako::sim {

enum class StepKind {
    Send,         // send RECORD: the record enciphered, as one line
    SendPlain,    // send-plain TEXT: the text as it is, as one line (e.g. Login:)
    SendPartial,  // send-partial TEXT: the text as it is, without a line end
    SendGarbage,  // send-garbage N: N pseudo-random bytes, then a line end
    SendLong,     // send-long N: one line of N Base64 letters
    Burst,        // burst N RECORD: N copies of the enciphered record in one write
    Swipe,        // swipe [N]: a card message with "OK" for sample member N, or the next one
    List,         // list: the sample list of choices, "START" to "STOP"
    Customer,     // customer [N]: swipe, then list
    Greet,        // greet [TEXT]: a card message without "OK" that greets (result code 0)
    Close,        // close: close the connection in order
    Reset,        // reset: abort the connection with a reset
    Offline,      // offline: stop listening and close every connection
    Online,       // online: listen again on the same address and port
    Accept,       // accept: wait for the next terminal that connects and work with it
    Wait,         // wait SECONDS
    Timeout,      // timeout SECONDS: how long expect, accept and quiet wait from now on
    Expect,       // expect RECORD: the next record received is exactly this one
    ExpectLike,   // expect-like PATTERN: the next record received matches, "*" any run
    Quiet,        // quiet SECONDS: no record arrives for this long
    Ignore,       // ignore [PATTERN]: skip matching records in expect and quiet; alone: skip none
    Print,        // print TEXT: writes the text to the traffic log (a marker)
};

struct ScenarioStep {
    StepKind kind = StepKind::Print;
    int line = 0;             // line of the scenario file, 0 at the console
    AnsiString text;          // record, pattern or text (code page 1252 bytes)
    std::int64_t count = -1;  // N of the step; -1 when not given
    std::int64_t milliseconds = 0;
};

}  // namespace tuvako::sim
