#include "net/ReceiveBuffer.h"

#include <algorithm>
#include <cstring>

namespace tuvako {

char* ReceiveBuffer::Reserve(std::size_t length) {
    const std::size_t held = Count();
    const std::size_t needed = held + length + 1;  // and the 0 byte after the last
    if (start_ > 0 && end_ + length + 1 > capacity_) {
        std::memmove(storage_.get(), storage_.get() + start_, held);
        start_ = 0;
        end_ = held;
    }
    if (needed > capacity_) {
        const std::size_t grown = std::max(needed, capacity_ * 2);
        auto larger = std::make_unique<char[]>(grown);
        if (held > 0) std::memcpy(larger.get(), storage_.get() + start_, held);
        storage_ = std::move(larger);
        capacity_ = grown;
        start_ = 0;
        end_ = held;
    }
    return storage_.get() + end_;
}

void ReceiveBuffer::Commit(std::size_t length) {
    end_ += length;
    Terminate();
}

std::size_t ReceiveBuffer::Find(std::string_view terminator, std::size_t from) const {
    if (terminator.empty() || from >= Count()) return std::string_view::npos;
    return std::string_view(Data(), Count()).find(terminator, from);
}

std::size_t ReceiveBuffer::Take(char* destination, std::size_t length) {
    const std::size_t taken = std::min(length, Count());
    if (taken > 0) std::memcpy(destination, Data(), taken);
    DropFront(taken);
    return taken;
}

void ReceiveBuffer::DropFront(std::size_t length) {
    start_ += std::min(length, Count());
    if (start_ == end_) start_ = end_ = 0;
    Terminate();
}

void ReceiveBuffer::Clear() {
    start_ = end_ = 0;
    Terminate();
}

void ReceiveBuffer::Release() {
    storage_.reset();
    capacity_ = start_ = end_ = 0;
}

void ReceiveBuffer::Terminate() {
    if (capacity_ > end_) storage_[end_] = 0;
}

}  // namespace tuvako
