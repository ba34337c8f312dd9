// One-call encipherment of a single line, keyed afresh from the pass phrase.
#pragma once

#include <string>

namespace tuvako {

// Each call keys a new Twofish cipher from the pass phrase, does its one operation and wipes
// the key: the result never depends on an earlier line, exactly as on the terminal.
std::string EncipherLine(const std::string& record);
std::string DecipherLine(const std::string& line);

}  // namespace tuvako
