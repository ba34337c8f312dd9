// Our own reader and writer of ini files, working on bytes.
#pragma once

#include "platform/AnsiString.h"

#include <cstddef>

namespace tuvako {

// Ini files as the private-profile functions of the terminal's home platform treat them:
// "[Section]" header lines followed by "Key=Value" lines; lines starting with ";" are comments.
// A line ends at CR LF, at LF or at a lone CR. Section and key names match without regard to
// case (code page 1252 letters included), and blanks around names and values are trimmed; one
// pair of matching quotes around a value ("..." or '...') is dropped on reading. A UTF-8
// byte-order mark at the start of the file is skipped. The first matching section and, in it,
// the first matching key win. A missing file, section or key gives the default without its
// trailing spaces; a file that is not a regular file (a directory, a device, a pipe) reads as
// missing and is never waited for.
//
// Every write reads the whole file and changes only what it must; every other line (comments,
// blank lines, order, line endings) stays as it was. Where the folder allows it the file is
// replaced atomically: the new content goes to a temporary file beside it, which is then
// renamed over the old one, so a failed write leaves the old file untouched and returns false.
// Where the folder takes no new file, a writable file is rewritten in place. Temporary files
// that a killed process left behind are removed at the next write.
class PrivateProfile {
public:
    // The buffer of the platform's reader: one byte holds the terminating zero, so a value (and
    // a default) is cut to 2047 bytes, and a value also ends at a zero byte in the file.
    static constexpr std::size_t BufferSize = 2048;
    // Only this much of a file is read; a longer file is never rewritten (a write fails).
    static constexpr std::size_t MaxFileSize = 16 * 1024 * 1024;

    static AnsiString GetString(const AnsiString& section, const AnsiString& key,
                                const AnsiString& defaultValue, const AnsiString& fileName);

    // Sets `key` in `section` to `value`, adding the section or the key when missing: a new key
    // goes after the last entry of the section, a new section right after the last line of the
    // file, with no blank line before it. Fails, leaving the file as it was, when the file
    // cannot be read or replaced, when the file exists but is not writable, or when a name or
    // the value would not survive as one line: a line break or zero byte anywhere, a "]" in the
    // section name, an empty key or one that contains "=" or starts with "[" or ";". Writing
    // the value a key already has changes nothing.
    static bool WriteString(const AnsiString& section, const AnsiString& key,
                            const AnsiString& value, const AnsiString& fileName);

    // Removes every section of this name with all its lines. A missing file or section is no
    // failure: there is nothing to remove.
    static bool EraseSection(const AnsiString& section, const AnsiString& fileName);
};

}  // namespace tuvako
