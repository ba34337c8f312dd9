#include "platform/ExecutableFile.h"

#include <QCoreApplication>

#include <filesystem>
#include <system_error>

namespace tuvako {
namespace {

AnsiString ResolvedExecutableFile() {
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
    AnsiString startedAs;
    if (QCoreApplication::instance())
        startedAs = QCoreApplication::arguments().value(0).toLocal8Bit().toStdString();
    return ExecutableFileAsStarted(startedAs, ResolvedExecutableFile());
}

AnsiString ExecutableFileAsStarted(const AnsiString& startedAs, const AnsiString& resolved) {
    if (startedAs.find(PathDelimiter) == AnsiString::npos) return resolved;
    std::error_code error;
    const auto absolute = std::filesystem::absolute(startedAs, error);
    return error ? resolved : absolute.lexically_normal().string();
}

}  // namespace tuvako
