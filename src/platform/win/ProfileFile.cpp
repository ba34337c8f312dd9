#include "platform/ProfileFile.h"

#include "platform/win/WideText.h"
#include "platform/win/WindowsHeaders.h"

#include <algorithm>
#include <cwctype>
#include <random>
#include <utility>

namespace tuvako {
namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (IsOpen()) ::CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return handle_; }
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Close() { return ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0; }

private:
    HANDLE handle_;
};

// Others may read, write, rename or delete the file while it is open, as on POSIX.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

constexpr wchar_t kNameLetters[] =
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// A temporary file of ReplaceAtomically: the file's name, a dot and six letters or digits.
bool IsTemporaryOf(std::wstring_view candidate, std::wstring_view name) {
    if (candidate.size() != name.size() + 7 || candidate.substr(0, name.size()) != name ||
        candidate[name.size()] != L'.')
        return false;
    return std::all_of(candidate.end() - 6, candidate.end(),
                       [](wchar_t c) { return c < 128 && std::iswalnum(c); });
}

std::size_t NameStart(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/:");
    return separator == std::wstring::npos ? 0 : separator + 1;
}

// Temporary files that a process killed in the middle of a write left beside `target`.
void RemoveLeftTemporaries(const std::wstring& target) {
    const std::wstring folder = target.substr(0, NameStart(target));
    const std::wstring name = target.substr(NameStart(target));
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((target + L".??????").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            IsTemporaryOf(found.cFileName, name))
            ::DeleteFileW((folder + found.cFileName).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

// A new, empty file beside `target`, its name in `temporary`; INVALID_HANDLE_VALUE when the
// folder takes none.
HANDLE CreateTemporary(const std::wstring& target, std::wstring& temporary) {
    static std::minstd_rand random(std::random_device{}());
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target + L".";
        for (int i = 0; i < 6; ++i) temporary += kNameLetters[random() % 62];
        const HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

// Writes `content` to a temporary file beside `target` and moves it over `target`. False with
// `created` false when the folder allows no temporary file at all.
bool ReplaceAtomically(const std::wstring& target, std::string_view content, bool& created) {
    std::wstring temporary;
    FileHandle file(CreateTemporary(target, temporary));
    created = file.IsOpen();
    if (!created) return false;
    const bool written = WriteAll(file.Get(), content) && ::FlushFileBuffers(file.Get()) &&
                         file.Close() &&
                         ::MoveFileExW(temporary.c_str(), target.c_str(),
                                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!written) {
        if (file.IsOpen()) file.Close();
        ::DeleteFileW(temporary.c_str());
    }
    return written;
}

// The file itself is rewritten: for a writable file in a folder that takes no new file.
bool WriteInPlace(const std::wstring& target, std::string_view content) {
    FileHandle file(::CreateFileW(target.c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                  TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.IsOpen() && ::GetFileType(file.Get()) == FILE_TYPE_DISK &&
           WriteAll(file.Get(), content) && ::FlushFileBuffers(file.Get()) && file.Close();
}

}  // namespace

ProfileFile::State ProfileFile::Read(const AnsiString& fileName, std::string& content,
                                     std::size_t limit) {
    content.clear();
    FileHandle file(::CreateFileW(Widen(fileName).c_str(), GENERIC_READ, kShareAll, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                       error == ERROR_INVALID_NAME
                   ? State::Missing
                   : State::Unusable;
    }
    LARGE_INTEGER size{};
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK || !::GetFileSizeEx(file.Get(), &size))
        return State::Unusable;
    content.resize(std::min<std::size_t>(std::size_t(size.QuadPart), limit) + 1);
    std::size_t filled = 0;
    while (filled < content.size()) {
        const DWORD want = DWORD(std::min<std::size_t>(content.size() - filled, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(file.Get(), content.data() + filled, want, &got, nullptr))
            return State::Unusable;
        if (got == 0) break;
        filled += got;
        if (filled == content.size() && content.size() <= limit)
            content.resize(std::min(content.size() * 2, limit + 1));  // the file grew meanwhile
    }
    content.resize(filled);
    return State::Loaded;
}

// A read-only file, or one whose access list refuses this user, is not written.
bool ProfileFile::IsWritable(const AnsiString& fileName) {
    const std::wstring name = Widen(fileName);
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    FileHandle file(::CreateFileW(name.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.IsOpen();
}

bool ProfileFile::Replace(const AnsiString& fileName, std::string_view content) {
    const std::wstring target = Widen(fileName);
    if (target.empty()) return false;
    RemoveLeftTemporaries(target);
    bool created = false;
    if (ReplaceAtomically(target, content, created)) return true;
    return !created && WriteInPlace(target, content);
}

}  // namespace tuvako
