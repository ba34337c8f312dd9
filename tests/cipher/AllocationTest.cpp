// The cipher's cost in allocations does not grow with the length of a line.
#include "cipher/PassPhrase.h"
#include "cipher/TTwofish.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

// Counts every allocation of this test program.
void* operator new(std::size_t size) {
    ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace tuvako {
namespace {

long AllocationsForOneLine(std::size_t length, bool decipher) {
    const std::string text(length, decipher ? 'Q' : 'x');
    LinePassPhrase();  // Its first use builds the phrase: not a cost of the line.
    TTwofish cipher;
    const long before = allocations;
    cipher.SetKeyFromPhrase(LinePassPhrase());
    const std::string result = decipher ? cipher.DecipherText(text) : cipher.EncipherText(text);
    cipher.Wipe();
    return allocations - before;
}

TEST(CipherAllocations, AreAtMostTheResultForShortAndLongLines) {
    for (bool decipher : {false, true}) {
        EXPECT_LE(AllocationsForOneLine(40, decipher), 1) << decipher;
        EXPECT_LE(AllocationsForOneLine(40000, decipher), 1) << decipher;
    }
}

}  // namespace
}  // namespace tuvako
