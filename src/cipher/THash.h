// The hash base: init, update with bytes or text, final digest, wipe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tuvako {

class THash {
public:
    // No digest of any hash here is longer than this; callers may size buffers with it.
    static constexpr std::size_t MaxDigestBytes = 64;

    virtual ~THash() = default;
    THash(const THash&) = delete;
    THash& operator=(const THash&) = delete;

    virtual int Id() const noexcept = 0;
    virtual std::string_view Algorithm() const noexcept = 0;
    // The digest size in bits.
    virtual unsigned HashSize() const noexcept = 0;

    bool Initialized() const noexcept { return initialized_; }

    virtual void Init() = 0;
    // Update and Final raise EHashError "Hash not initialized" before Init.
    virtual void Update(std::span<const std::uint8_t> bytes) = 0;
    // Hashes the text's bytes as they are: no terminator, no conversion of character set.
    void UpdateStr(std::string_view text);
    // Writes HashSize() / 8 bytes to `digest`, then clears the state; Init starts a new digest.
    virtual void Final(std::span<std::uint8_t> digest) = 0;
    // Clears the state and returns to the uninitialised state.
    virtual void Wipe() noexcept = 0;

protected:
    THash() = default;

    void SetInitialized(bool initialized) noexcept { initialized_ = initialized; }
    void RequireInitialized() const;
    // Raises EHashError when `digest` cannot take the whole digest.
    void RequireDigestRoom(std::span<std::uint8_t> digest) const;

private:
    bool initialized_ = false;
};

}  // namespace tuvako
