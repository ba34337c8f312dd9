// The hash base: the checks every hash shares.
#include "cipher/THash.h"

#include "cipher/EHashError.h"

namespace tuvako {

void THash::UpdateStr(std::string_view text) {
    Update({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

void THash::RequireInitialized() const {
    if (!initialized_) throw EHashError("Hash not initialized");
}

void THash::RequireDigestRoom(std::span<std::uint8_t> digest) const {
    if (digest.size() < HashSize() / 8) throw EHashError("Digest buffer too small");
}

}  // namespace tuvako
