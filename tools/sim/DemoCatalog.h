// The made-up members and choices that the simulator offers a terminal.
#pragma once

#include "sim/MessageComposer.h"

#include <vector>

namespace tuvako::sim {

class DemoCatalog {
public:
    // Five members, one for each way of showing validity: a date, visits with a date, visits
    // alone, a balance, and a kind that shows nothing more.
    static const std::vector<SampleMember>& Members();
    // Five choices: a plain one, a discounted one, a seat ("Paikka"), one with a five-line
    // caption, and one more.
    static const std::vector<SampleChoice>& Choices();
};

}  // namespace tuvako::sim
