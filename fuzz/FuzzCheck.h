// How the fuzz targets report a wrong result: libFuzzer keeps the input that led to it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tuvako::fuzz {

// A wrong result: the run stops, and libFuzzer keeps the input that led here.
[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "WRONG RESULT: %s\n", what.c_str());
    std::abort();
}

inline void Check(bool holds, const std::string& what) {
    if (!holds) Fail(what);
}

// Bytes shown with control and high bytes as \xNN, cut to a readable length.
inline std::string Printable(const std::string& bytes, std::size_t most = 200) {
    std::string shown;
    for (std::size_t i = 0; i < bytes.size() && i < most; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 32 && c < 127) {
            shown += char(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
        }
    }
    if (bytes.size() > most) shown += "... (" + std::to_string(bytes.size()) + " bytes)";
    return shown;
}

}  // namespace tuvako::fuzz
