// The kiosk as the door's display shows it: the launcher runs the real cage, nested in a virtual
// X display, with the real terminal on Wayland, as a user that is not root (cage refuses root).
// cage draws the pointer into its own picture (WLR_NO_HARDWARE_CURSORS=1), so a grab of the
// screen shows it: the pointer is moved, the screen grabbed, the pictures compared.
#include "support/TempDir.h"
#include "support/Wait.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace tuvako::test {
namespace {

namespace fs = std::filesystem;

constexpr int kWaitMs = 20000;

QString Text(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// Runs a short helper program; true when it ends with 0.
bool RunOnDisplay(const QString& program, const QStringList& arguments, const QString& display) {
    QProcess process;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    return process.waitForFinished(kWaitMs) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// A virtual X display of its own, on the first free display number from 70 on.
class VirtualDisplay {
public:
    bool Start() {
        for (int number = 70; number < 100; ++number) {
            const std::string n = std::to_string(number);
            if (fs::exists("/tmp/.X11-unix/X" + n) || fs::exists("/tmp/.X" + n + "-lock")) continue;
            name = QString::fromStdString(":" + n);
            server.start("Xvfb", {name, "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
            const fs::path socket = "/tmp/.X11-unix/X" + n;
            return server.waitForStarted(kWaitMs) &&
                   WaitUntil([&] { return fs::exists(socket); }, kWaitMs);
        }
        return false;
    }
    ~VirtualDisplay() {
        server.terminate();
        if (!server.waitForFinished(kWaitMs)) server.kill(), server.waitForFinished();
    }

    QString name;
    QProcess server;
};

// The account that runs cage: the current one, or "nobody" when the test runs as root.
struct KioskUser {
    bool switchUser = false;
    uid_t uid = 0;
    gid_t gid = 0;

    static std::optional<KioskUser> Find() {
        if (geteuid() != 0) return KioskUser{false, geteuid(), getegid()};
        const passwd* nobody = getpwnam("nobody");
        if (!nobody || QStandardPaths::findExecutable("setpriv").isEmpty()) return std::nullopt;
        return KioskUser{true, nobody->pw_uid, nobody->pw_gid};
    }
};

class KioskUnderCage : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* program : {"cage", "Xwayland", "Xvfb", "xdotool", "import"})
            if (QStandardPaths::findExecutable(program).isEmpty())
                GTEST_SKIP() << program << " is not installed";
        const auto found = KioskUser::Find();
        if (!found) GTEST_SKIP() << "running as root, and no user \"nobody\" to run cage as";
        user = *found;
        ASSERT_TRUE(display.Start()) << "Xvfb did not start";
        PrepareFolder();
    }

    // The programs and the configuration where the kiosk user can reach them: the build
    // folder may lie in a home that only its owner can enter.
    void PrepareFolder() {
        const fs::path root = folder.Path();
        fs::copy_file(TUVAKO_BINARY, root / "tuvako");
        fs::copy_file(TUVAKO_KIOSK_LAUNCHER, root / "tuvako-kiosk");
        fs::create_directories(root / "config");
        std::ofstream(root / "config" / "Selvaro.ini") << "[MessageSrv]\nUse=No\n";
        fs::create_directories(root / "run");
        fs::permissions(root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        fs::permissions(root / "run", fs::perms::owner_all);
        for (const auto& entry : fs::recursive_directory_iterator(root))
            ASSERT_EQ(lchown(entry.path().c_str(), user.uid, user.gid), 0) << entry.path();
        ASSERT_EQ(lchown(root.c_str(), user.uid, user.gid), 0);
    }

    void StartKiosk(const QStringList& terminalArguments) {
        const fs::path root = folder.Path();
        QProcessEnvironment environment;
        environment.insert("PATH", qEnvironmentVariable("PATH"));
        environment.insert("HOME", Text(root));
        environment.insert("DISPLAY", display.name);
        environment.insert("XDG_RUNTIME_DIR", Text(root / "run"));
        environment.insert("WLR_BACKENDS", "x11");
        environment.insert("WLR_RENDERER", "pixman");
        environment.insert("WLR_NO_HARDWARE_CURSORS", "1");
        environment.insert("QT_QPA_PLATFORM", "wayland");
        environment.insert("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
        environment.insert("TUVAKO_CONSOLE_LOG", "1");
        // In the sanitizer build: the Wayland and D-Bus client libraries keep memory until the
        // process ends, which the leak check would report as the terminal's exit status. The
        // terminal's own leaks are checked on the offscreen platform by the other tests.
        environment.insert("ASAN_OPTIONS", "detect_leaks=0");
        kiosk.setProcessEnvironment(environment);
        kiosk.setProcessChannelMode(QProcess::MergedChannels);
        QStringList command{Text(root / "tuvako-kiosk"), Text(root / "tuvako"), "--config-dir",
                            Text(root / "config")};
        command += terminalArguments;
        if (user.switchUser)
            command = QStringList{"setpriv", "--reuid=" + QString::number(user.uid),
                                  "--regid=" + QString::number(user.gid), "--clear-groups", "--"} +
                      command;
        const QString program = command.takeFirst();
        kiosk.start(program, command);
        ASSERT_TRUE(kiosk.waitForStarted(kWaitMs));
        ASSERT_TRUE(WaitUntil([&] { return KioskSaid("Selvaro.ini found."); }, kWaitMs)) << output;
        // The terminal's grey panels are on the screen once cage has drawn its first picture.
        ASSERT_TRUE(WaitUntil([&] { return Grab().pixel(300, 300) != qRgb(0, 0, 0); }, kWaitMs))
            << output;
    }

    bool KioskSaid(const std::string& text) {
        output += kiosk.readAll().toStdString();
        return output.find(text) != std::string::npos;
    }

    // Ends the kiosk as a stop does; its exit status, -1 when it crashed or hung.
    int StopKiosk() {
        kiosk.terminate();
        if (!kiosk.waitForFinished(kWaitMs)) {
            kiosk.kill();
            kiosk.waitForFinished();
            return -1;
        }
        output += kiosk.readAll().toStdString();
        return kiosk.exitStatus() == QProcess::NormalExit ? kiosk.exitCode() : -1;
    }

    QImage Grab() {
        const fs::path picture = grabs.File("screen.png");
        if (!RunOnDisplay("import", {"-window", "root", Text(picture)}, display.name)) return {};
        return QImage(Text(picture)).convertToFormat(QImage::Format_RGB32);
    }

    // Moves the pointer, then grabs the screen once two grabs in a row agree: cage has drawn
    // the pointer where it now is, or nothing at all.
    QImage PointerAt(int x, int y) {
        EXPECT_TRUE(RunOnDisplay("xdotool", {"mousemove", QString::number(x), QString::number(y)},
                                 display.name));
        QImage last = Grab();
        QImage settled;
        EXPECT_TRUE(WaitUntil(
            [&] {
                QImage next = Grab();
                if (next == last && !next.isNull()) settled = next;
                last = next;
                return !settled.isNull();
            },
            kWaitMs));
        return settled;
    }

    KioskUser user;
    VirtualDisplay display;
    TempDir folder;
    TempDir grabs;
    QProcess kiosk;
    std::string output;
};

TEST_F(KioskUnderCage, NoPointerOverTheWindowWithHideCursorAndAStopSavesTheWindowState) {
    // Without --hide-cursor cage's arrow follows the pointer: the pictures differ. This also
    // shows that the grab sees the pointer at all.
    StartKiosk({});
    EXPECT_NE(PointerAt(300, 300), PointerAt(500, 400)) << "the arrow should be visible";
    EXPECT_EQ(StopKiosk(), 0) << output;

    fs::remove(folder.Path() / "config" / "Selwi.ini");
    StartKiosk({"--hide-cursor"});
    EXPECT_EQ(PointerAt(300, 300), PointerAt(500, 400)) << "a pointer is drawn over the window";
    EXPECT_EQ(StopKiosk(), 0) << output;
    // The stop reached the terminal, not cage: the window state was saved whole.
    const std::string state = TempDir::Read(folder.Path() / "config" / "Selwi.ini");
    EXPECT_NE(state.find("[TfrmTuvakoMain]"), std::string::npos) << output;
    EXPECT_TRUE(fs::is_empty(folder.Path() / "run")) << "the launcher left its status folder";
}

}  // namespace
}  // namespace tuvako::test
