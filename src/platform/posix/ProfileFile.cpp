#include "platform/ProfileFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tuvako {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The file to replace: a symbolic link is followed, so the link stays and its target changes.
std::optional<AnsiString> ReplacementTarget(const AnsiString& fileName) {
    struct stat status {};
    if (::lstat(fileName.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return fileName;
    char resolved[PATH_MAX];
    if (!::realpath(fileName.c_str(), resolved)) return std::nullopt;
    return AnsiString(resolved);
}

// A temporary file of ReplaceAtomically: the file's name, a dot and six letters or digits.
bool IsTemporaryOf(const std::string& candidate, const std::string& name) {
    if (candidate.size() != name.size() + 7 || !candidate.starts_with(name) ||
        candidate[name.size()] != '.')
        return false;
    return std::all_of(candidate.end() - 6, candidate.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Temporary files that a process killed in the middle of a write left beside `target`.
void RemoveLeftTemporaries(const AnsiString& target) {
    const std::size_t slash = target.rfind('/');
    const AnsiString folder = slash == AnsiString::npos ? "." : target.substr(0, slash + 1);
    const std::string name = target.substr(slash == AnsiString::npos ? 0 : slash + 1);
    DIR* listing = ::opendir(folder.c_str());
    if (!listing) return;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string candidate = entry->d_name;
        struct stat status {};
        const AnsiString path = (slash == AnsiString::npos ? "" : folder) + candidate;
        if (IsTemporaryOf(candidate, name) && ::lstat(path.c_str(), &status) == 0 &&
            S_ISREG(status.st_mode))
            ::unlink(path.c_str());
    }
    ::closedir(listing);
}

// Makes a rename in the folder of `target` last through a power cut: until the folder itself
// reaches the disk, the file may still come back as the old one. Best effort: the new content
// is in place either way.
void SyncFolderOf(const AnsiString& target) {
    const std::size_t slash = target.rfind('/');
    const AnsiString folder = slash == AnsiString::npos ? "." : target.substr(0, slash + 1);
    FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Get() >= 0) (void)!::fsync(directory.Get());
}

// Writes `content` to a temporary file beside `target` and renames it over `target`. False
// with `created` false when the folder allows no temporary file at all.
bool ReplaceAtomically(const AnsiString& target, std::string_view content, bool& created) {
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    AnsiString temporary = target + ".XXXXXX";
    FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    created = file.Get() >= 0;
    if (!created) return false;
    bool written = WriteAll(file.Get(), content) &&
                   ::fchmod(file.Get(), existed ? (old.st_mode & 07777) : NewFileMode()) == 0;
    if (written && existed && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()))
        (void)!::fchown(file.Get(), old.st_uid, old.st_gid);  // best effort, as root may do
    written = written && ::fsync(file.Get()) == 0 && ::close(file.Release()) == 0 &&
              ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!written) ::unlink(temporary.c_str());
    if (written) SyncFolderOf(target);
    return written;
}

// The file itself is rewritten: for a writable file in a folder that takes no new file.
bool WriteInPlace(const AnsiString& target, std::string_view content) {
    FileDescriptor file(::open(target.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) return false;
    struct stat status {};
    return ::fstat(file.Get(), &status) == 0 && S_ISREG(status.st_mode) &&
           WriteAll(file.Get(), content) && ::fsync(file.Get()) == 0 &&
           ::close(file.Release()) == 0;
}

}  // namespace

ProfileFile::State ProfileFile::Read(const AnsiString& fileName, std::string& content,
                                     std::size_t limit) {
    content.clear();
    FileDescriptor file(::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0)
        return errno == ENOENT || errno == ENOTDIR ? State::Missing : State::Unusable;
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return State::Unusable;
    content.resize(std::min<std::size_t>(std::size_t(status.st_size), limit) + 1);
    std::size_t filled = 0;
    while (filled < content.size()) {
        const ssize_t got = ::read(file.Get(), content.data() + filled, content.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return State::Unusable;
        if (got == 0) break;
        filled += std::size_t(got);
        if (filled == content.size() && content.size() <= limit)
            content.resize(std::min(content.size() * 2, limit + 1));  // the file grew meanwhile
    }
    content.resize(filled);
    return State::Loaded;
}

bool ProfileFile::IsWritable(const AnsiString& fileName) {
    return ::access(fileName.c_str(), W_OK) == 0;
}

bool ProfileFile::Replace(const AnsiString& fileName, std::string_view content) {
    const auto target = ReplacementTarget(fileName);
    if (!target) return false;
    RemoveLeftTemporaries(*target);
    bool created = false;
    if (ReplaceAtomically(*target, content, created)) return true;
    return !created && WriteInPlace(*target, content);
}

}  // namespace tuvako
