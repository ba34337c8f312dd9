// The file side of the ini reader and writer: reading a whole file and replacing it safely.
#pragma once

#include "platform/AnsiString.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tuvako {

// What PrivateProfile needs of the file system, apart from the portable parsing and editing.
class ProfileFile {
public:
    enum class State { Loaded, Missing, Unusable };

    // Reads at most `limit` + 1 bytes into `content`, so that the caller can tell a file that is
    // too long. Opening does not block (a pipe would), and only a regular file counts as a file:
    // anything else is Unusable, as is a file that cannot be read.
    static State Read(const AnsiString& fileName, std::string& content, std::size_t limit);

    // False for a file that exists but may not be written (an operator may have frozen it),
    // although its directory would allow replacing it.
    static bool IsWritable(const AnsiString& fileName);

    // Replaces the file with `content`. Where the folder allows it, atomically: a temporary
    // file beside it is written, synced and renamed over it, and the folder synced, so that a
    // crash or a power cut never leaves half a file and a failure leaves the old file untouched.
    // Where the folder takes no new file, a writable file is rewritten in place. A symbolic link is
    // followed (the link stays, its target changes); the old file's permissions and, where allowed,
    // owner are kept. Temporary files that a killed process left beside the file are removed first.
    static bool Replace(const AnsiString& fileName, std::string_view content);
};

}  // namespace tuvako
