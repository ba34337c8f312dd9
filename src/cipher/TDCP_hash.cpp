// The hash base: the checks every hash shares.
#include "cipher/TDCP_hash.h"

#include "cipher/EDCP_hash.h"

namespace tuvako {

void TDCP_hash::UpdateStr(std::string_view text) {
    Update({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

void TDCP_hash::RequireInitialized() const {
    if (!initialized_) throw EDCP_hash("Hash not initialized");
}

void TDCP_hash::RequireDigestRoom(std::span<std::uint8_t> digest) const {
    if (digest.size() < HashSize() / 8) throw EDCP_hash("Digest buffer too small");
}

}  // namespace tuvako
