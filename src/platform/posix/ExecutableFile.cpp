#include "platform/ExecutableFile.h"

#include <QCoreApplication>

#include <filesystem>
#include <system_error>

namespace tuvako {
namespace {

AnsiString& TestOverride() {
    static AnsiString path;
    return path;
}

AnsiString RealExecutableFile() {
    std::error_code error;
    const auto link = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return link.string();
    // Without /proc the toolkit still knows how the program was started.
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath().toLocal8Bit().toStdString();
    return {};
}

}  // namespace

AnsiString ExecutableFile() {
    return TestOverride().empty() ? RealExecutableFile() : TestOverride();
}

void SetExecutableFileForTesting(AnsiString path) {
    TestOverride() = std::move(path);
}

}  // namespace tuvako
