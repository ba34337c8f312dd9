#include "net/SendQueue.h"

#include <algorithm>

namespace tuvako {

void SendQueue::Append(const char* data, int length) {
    if (length <= 0 || !data) return;
    if (chunks_.empty()) chunks_.push_back(std::make_unique<TBuffer>(chunkSize_));
    buffered_ += length;
    for (;;) {
        const int written = chunks_.back()->Write(data, length);
        if (written >= length) return;
        data += written;
        length -= written;
        chunks_.push_back(std::make_unique<TBuffer>(chunkSize_));
    }
}

std::span<const char> SendQueue::Front() {
    while (!chunks_.empty()) {
        const std::span<const char> unread = chunks_.front()->Peek();
        if (!unread.empty() || chunks_.size() == 1) return unread;
        chunks_.pop_front();
    }
    return {};
}

void SendQueue::Consume(int count) {
    if (chunks_.empty()) return;
    const int removed = chunks_.front()->Remove(count);
    buffered_ = std::max<std::int64_t>(0, buffered_ - removed);
}

void SendQueue::Discard() {
    chunks_.clear();
    buffered_ = 0;
}

}  // namespace tuvako
