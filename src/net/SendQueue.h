// The ordered chunks of bytes a socket has accepted and not yet handed to the network.
#pragma once

#include "net/TBuffer.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <span>

namespace tuvako {

// New bytes go into the last chunk (a new one is made when it is full), bytes leave from the
// first. Order on the wire is the order of Append calls. The last chunk stays allocated once
// empty and is reused; chunks before it are freed as they are sent.
class SendQueue {
public:
    explicit SendQueue(int chunkSize = 1460) : chunkSize_(chunkSize) {}

    void Append(const char* data, int length);
    // The unread bytes of the first chunk that holds any (at most one chunk's worth); emptied
    // chunks before it are freed on the way. Empty when the queue holds nothing.
    std::span<const char> Front();
    // Marks `count` bytes at the front as handed to the network.
    void Consume(int count);
    void Discard();

    bool Empty() const { return buffered_ == 0; }
    std::int64_t Buffered() const { return buffered_; }
    std::size_t ChunkCount() const { return chunks_.size(); }

private:
    int chunkSize_;
    std::deque<std::unique_ptr<TBuffer>> chunks_;
    std::int64_t buffered_ = 0;
};

}  // namespace tuvako
