// One-call encipherment of a single line, keyed afresh from the pass phrase.
#include "cipher/LineCipher.h"

#include "cipher/PassPhrase.h"
#include "cipher/TDCP_twofish.h"

namespace tuvako {
namespace {

// Wipes the cipher when the line's work is done, also when it failed half-way (the key set-up
// included), so that the key never outlives the line.
class WipeWhenDone {
public:
    explicit WipeWhenDone(TDCP_twofish& cipher) : cipher_(cipher) {}
    ~WipeWhenDone() { cipher_.Wipe(); }
    WipeWhenDone(const WipeWhenDone&) = delete;
    WipeWhenDone& operator=(const WipeWhenDone&) = delete;

private:
    TDCP_twofish& cipher_;
};

}  // namespace

std::string EncipherLineWith(TDCP_twofish& cipher, const std::string& record) {
    const WipeWhenDone wipe(cipher);
    cipher.SetKeyFromPhrase(LinePassPhrase());
    return cipher.EncipherText(record);
}

std::string DecipherLineWith(TDCP_twofish& cipher, const std::string& line) {
    const WipeWhenDone wipe(cipher);
    cipher.SetKeyFromPhrase(LinePassPhrase());
    return cipher.DecipherText(line);
}

std::string EncipherLine(const std::string& record) {
    TDCP_twofish cipher;
    return EncipherLineWith(cipher, record);
}

std::string DecipherLine(const std::string& line) {
    TDCP_twofish cipher;
    return DecipherLineWith(cipher, line);
}

}  // namespace tuvako
