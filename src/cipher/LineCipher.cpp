// One-call encipherment of a single line, keyed afresh from the pass phrase.
#include "cipher/LineCipher.h"

#include "cipher/PassPhrase.h"
#include "cipher/TTwofish.h"

namespace tuvako {
namespace {

// Wipes the cipher when the line's work is done, also when it failed half-way (the key set-up
// included), so that the key never outlives the line.
class WipeWhenDone {
public:
    explicit WipeWhenDone(TTwofish& cipher) : cipher_(cipher) {}
    ~WipeWhenDone() { cipher_.Wipe(); }
    WipeWhenDone(const WipeWhenDone&) = delete;
    WipeWhenDone& operator=(const WipeWhenDone&) = delete;

private:
    TTwofish& cipher_;
};

}  // namespace

std::string EncipherLineWith(TTwofish& cipher, const std::string& record) {
    const WipeWhenDone wipe(cipher);
    cipher.SetKeyFromPhrase(LinePassPhrase());
    return cipher.EncipherText(record);
}

std::string DecipherLineWith(TTwofish& cipher, const std::string& line) {
    const WipeWhenDone wipe(cipher);
    cipher.SetKeyFromPhrase(LinePassPhrase());
    return cipher.DecipherText(line);
}

std::string EncipherLine(const std::string& record) {
    TTwofish cipher;
    return EncipherLineWith(cipher, record);
}

std::string DecipherLine(const std::string& line) {
    TTwofish cipher;
    return DecipherLineWith(cipher, line);
}

}  // namespace tuvako
