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

AnsiString ResolvedExecutableFile() {
    std::error_code error;
    const auto link = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return link.string();
    // Without /proc the toolkit still knows how the program was started.
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath().toLocal8Bit().toStdString();
    return {};
}

AnsiString RealExecutableFile() {
    AnsiString startedAs;
    if (QCoreApplication::instance())
        startedAs = QCoreApplication::arguments().value(0).toLocal8Bit().toStdString();
    return ExecutableFileAsStarted(startedAs, ResolvedExecutableFile());
}

}  // namespace

AnsiString ExecutableFile() {
    return TestOverride().empty() ? RealExecutableFile() : TestOverride();
}

AnsiString ExecutableFileAsStarted(const AnsiString& startedAs, const AnsiString& resolved) {
    if (startedAs.find(PathDelimiter) == AnsiString::npos) return resolved;
    std::error_code error;
    const auto absolute = std::filesystem::absolute(startedAs, error);
    return error ? resolved : absolute.lexically_normal().string();
}

void SetExecutableFileForTesting(AnsiString path) {
    TestOverride() = std::move(path);
}

}  // namespace tuvako
