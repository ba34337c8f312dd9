// Any bytes at all, taken as a received line and as a record to send: deciphering never fails
// and never reads or writes out of bounds, and every record comes back from its line unchanged.
#include "cipher/Base64.h"
#include "cipher/LineCipher.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const std::string received = tuvako::DecipherLine(bytes);
    if (received.size() > tuvako::Base64::MaxDecodedSize(size)) std::abort();

    if (tuvako::DecipherLine(tuvako::EncipherLine(bytes)) != bytes) std::abort();
    if (tuvako::Base64::Decode(tuvako::Base64::Encode(bytes)) != bytes) std::abort();
    return 0;
}
