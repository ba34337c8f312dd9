// The package's maintainer scripts, run on a temporary root (DPKG_ROOT, as dpkg sets it) with
// stand-ins for systemctl and deb-systemd-invoke that only note how they were called.
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>
#include <fstream>
#include <string>

namespace tuvako::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kKioskWants = "etc/systemd/system/graphical.target.wants";
constexpr const char* kUserWants = "etc/systemd/user/graphical-session.target.wants";

class MaintainerScripts : public ::testing::Test {
protected:
    MaintainerScripts() {
        for (const char* name : {"systemctl", "deb-systemd-invoke"}) {
            const fs::path path = bin.File(name);
            std::ofstream(path) << "#!/bin/sh\necho \"" << name << " $*\" >>" << Calls() << "\n";
            fs::permissions(path, fs::perms::owner_all);
        }
    }

    // Makes the links `systemctl enable` leaves: two kiosk instances, the user service enabled
    // for everybody, and a unit of another package beside them.
    void EnableUnits() {
        fs::create_directories(root.Path() / kKioskWants);
        fs::create_directories(root.Path() / kUserWants);
        for (const char* unit : {"tuvako-kiosk@door.service", "tuvako-kiosk@hall.service"})
            fs::create_symlink("/usr/lib/systemd/system/tuvako-kiosk@.service",
                               root.Path() / kKioskWants / unit);
        fs::create_symlink("/usr/lib/systemd/system/other.service",
                           root.Path() / kKioskWants / "other.service");
        fs::create_symlink("/usr/lib/systemd/user/tuvako.service",
                           root.Path() / kUserWants / "tuvako.service");
    }
    void SystemdRuns() { fs::create_directories(root.Path() / "run/systemd/system"); }

    int Run(const char* script, const char* action) {
        QProcess process;
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(
            "PATH", QString::fromStdString(bin.Path().string()) + ":" + environment.value("PATH"));
        environment.insert("DPKG_ROOT", QString::fromStdString(root.Path().string()));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start("/bin/sh", {QString(TUVAKO_MAINTAINER_SCRIPTS) + "/" + script, action});
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        return process.exitCode();
    }

    std::string Calls() const { return (bin.Path() / "calls").string(); }
    std::string CallsMade() const { return TempDir::Read(Calls()); }
    bool Linked(const char* wants, const char* unit) const {
        return fs::is_symlink(root.Path() / wants / unit);
    }

    TempDir root;
    TempDir bin;
};

TEST_F(MaintainerScripts, RemovalStopsTheKiosksAndEveryUsersServiceAndDropsTheirLinks) {
    EnableUnits();
    SystemdRuns();
    EXPECT_EQ(Run("prerm", "remove"), 0);
    EXPECT_EQ(CallsMade(),
              "deb-systemd-invoke stop tuvako-kiosk@*.service\n"
              "deb-systemd-invoke --user stop tuvako.service\n");
    EXPECT_EQ(Run("postrm", "remove"), 0);
    EXPECT_FALSE(Linked(kKioskWants, "tuvako-kiosk@door.service"));
    EXPECT_FALSE(Linked(kKioskWants, "tuvako-kiosk@hall.service"));
    EXPECT_FALSE(Linked(kUserWants, "tuvako.service"));
    EXPECT_TRUE(Linked(kKioskWants, "other.service")) << "another package's link went too";
    EXPECT_NE(CallsMade().find("systemctl --system daemon-reload\n"), std::string::npos);
    // A purge after the removal finds nothing more to do, and does not fail.
    EXPECT_EQ(Run("postrm", "purge"), 0);
}

TEST_F(MaintainerScripts, AnUpgradeLeavesTheKioskRunningAndEnabled) {
    EnableUnits();
    SystemdRuns();
    EXPECT_EQ(Run("prerm", "upgrade"), 0);
    EXPECT_EQ(Run("postrm", "upgrade"), 0);
    EXPECT_EQ(CallsMade(), "");
    EXPECT_TRUE(Linked(kKioskWants, "tuvako-kiosk@door.service"));
    EXPECT_TRUE(Linked(kUserWants, "tuvako.service"));
}

TEST_F(MaintainerScripts, WithoutSystemdRunningTheLinksGoAndNothingIsCalled) {
    EnableUnits();
    EXPECT_EQ(Run("prerm", "remove"), 0);
    EXPECT_EQ(Run("postrm", "remove"), 0);
    EXPECT_EQ(CallsMade(), "");
    EXPECT_FALSE(Linked(kKioskWants, "tuvako-kiosk@door.service"));
    EXPECT_TRUE(Linked(kKioskWants, "other.service"));
    // Nothing enabled at all: still no failure.
    EXPECT_EQ(Run("postrm", "remove"), 0);
}

}  // namespace
}  // namespace tuvako::test
