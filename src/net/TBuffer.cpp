#include "net/TBuffer.h"

#include <algorithm>
#include <cstring>

namespace tuvako {

TBuffer::TBuffer(int capacity)
    : capacity_(capacity > 0 ? capacity : 1514), storage_(new char[std::size_t(capacity_)]) {}

int TBuffer::Write(const char* data, int length) {
    const int copied = std::clamp(length, 0, capacity_ - writeCount_);
    if (copied > 0) std::memcpy(storage_.get() + writeCount_, data, std::size_t(copied));
    writeCount_ += copied;
    return copied;
}

std::span<const char> TBuffer::Peek() const {
    return {storage_.get() + readCount_, std::size_t(writeCount_ - readCount_)};
}

int TBuffer::Remove(int length) {
    const int removed = std::clamp(length, 0, writeCount_ - readCount_);
    readCount_ += removed;
    if (readCount_ == writeCount_) readCount_ = writeCount_ = 0;
    return removed;
}

}  // namespace tuvako
