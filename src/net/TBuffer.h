// One chunk of a socket's send queue.
#pragma once

#include <memory>
#include <span>

namespace tuvako {

// A block of fixed capacity that is written at its end and read from its front. The unread
// bytes lie between the read count and the write count; once everything written has been read,
// both counts return to 0 and the whole capacity is free again.
class TBuffer {
public:
    // A capacity of 0 or less becomes 1514.
    explicit TBuffer(int capacity);

    TBuffer(const TBuffer&) = delete;
    TBuffer& operator=(const TBuffer&) = delete;

    // Copies as many bytes as fit after the written ones and returns how many.
    int Write(const char* data, int length);
    // The unread bytes; empty when nothing is unread.
    std::span<const char> Peek() const;
    // Marks up to `length` unread bytes as read and returns how many.
    int Remove(int length);

    int Capacity() const { return capacity_; }

private:
    int capacity_;
    std::unique_ptr<char[]> storage_;
    int writeCount_ = 0;
    int readCount_ = 0;
};

}  // namespace tuvako
