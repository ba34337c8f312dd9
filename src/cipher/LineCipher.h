// One-call encipherment of a single line, keyed afresh from the pass phrase.
#pragma once

#include <string>

namespace tuvako {

class TTwofish;

// Each call keys the cipher from the pass phrase, does its one operation and wipes the key, also
// when the operation fails: the result never depends on an earlier line, and the key never
// outlives the line. Without a cipher of the caller's a fresh one is used.
std::string EncipherLineWith(TTwofish& cipher, const std::string& record);
std::string DecipherLineWith(TTwofish& cipher, const std::string& line);
std::string EncipherLine(const std::string& record);
std::string DecipherLine(const std::string& line);

}  // namespace tuvako
