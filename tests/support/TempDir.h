// A fresh directory under the system's temporary directory, removed with everything in it.
#pragma once

#include <filesystem>
#include <string>

namespace tuvako::test {

class TempDir {
public:
    TempDir();
    ~TempDir();

    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path File(const std::string& name) const { return path_ / name; }

    // Writes `bytes` to the file `name` in this directory and returns its path.
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const;
    // The whole content of a file, or an empty text when it cannot be read.
    static std::string Read(const std::filesystem::path& file);

private:
    std::filesystem::path path_;
};

}  // namespace tuvako::test
