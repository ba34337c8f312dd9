// One-call encipherment of a single line, keyed afresh from the pass phrase.
#include "cipher/LineCipher.h"

#include "cipher/PassPhrase.h"
#include "cipher/TDCP_twofish.h"

namespace tuvako {

std::string EncipherLine(const std::string& record) {
    TDCP_twofish cipher;
    cipher.SetKeyFromPhrase(LinePassPhrase());
    std::string line = cipher.EncipherText(record);
    cipher.Wipe();
    return line;
}

std::string DecipherLine(const std::string& line) {
    TDCP_twofish cipher;
    cipher.SetKeyFromPhrase(LinePassPhrase());
    std::string record = cipher.DecipherText(line);
    cipher.Wipe();
    return record;
}

}  // namespace tuvako
