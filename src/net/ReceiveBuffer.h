// The bytes a line-mode socket has received and not yet handed on.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace tuvako {

// Held bytes with a 0 byte after the last one. Taking bytes from the front only moves a start
// offset, so handing out many lines of one large read costs nothing per line beyond the copy
// of the line itself; the rest is moved to the front once, before the next read. Storage grows
// geometrically, so a long run of bytes costs time linear in its length.
class ReceiveBuffer {
public:
    bool HasStorage() const { return capacity_ > 0; }
    std::size_t Count() const { return end_ - start_; }
    std::size_t Capacity() const { return capacity_; }
    const char* Data() const { return storage_.get() + start_; }

    // Room for `length` more bytes after the held ones; returns where to write them.
    char* Reserve(std::size_t length);
    // `length` bytes were written at the place Reserve returned.
    void Commit(std::size_t length);

    // Offset of the first `terminator` that starts at `from` or later, or npos.
    std::size_t Find(std::string_view terminator, std::size_t from) const;
    // Copies up to `length` bytes from the front, removes them and returns how many.
    std::size_t Take(char* destination, std::size_t length);
    void DropFront(std::size_t length);
    // Drops every held byte but keeps the storage.
    void Clear();
    // Drops every held byte and frees the storage.
    void Release();

private:
    void Terminate();

    std::unique_ptr<char[]> storage_;
    std::size_t capacity_ = 0;
    std::size_t start_ = 0;
    std::size_t end_ = 0;
};

}  // namespace tuvako
