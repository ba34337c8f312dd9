// tuvako-wire, run as a program: lines from standard input or arguments, bytes unchanged.
#include "cipher/LineCipher.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <vector>

extern char** environ;

namespace tuvako {
namespace {

struct WireRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs tuvako-wire with `arguments`, `input` on its standard input; no shell in between, so
// the arguments reach it byte for byte.
WireRun RunWire(std::vector<std::string> arguments, const std::string& input = "") {
    test::TempDir dir;
    const std::string in = dir.Write("in", input), out = dir.File("out"), err = dir.File("err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT, 0600);
    arguments.insert(arguments.begin(), TUVAKO_WIRE_PATH);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    WireRun run;
    pid_t pid = 0;
    int status = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0 &&
        waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    posix_spawn_file_actions_destroy(&actions);
    run.out = test::TempDir::Read(out);
    run.err = test::TempDir::Read(err);
    return run;
}

TEST(WireTool, RoundTripsAFileOfLinesWithEveryByteValueButCrAndLf) {
    std::vector<std::string> records;
    std::string input, expected;
    for (int n = 0; n < 300; ++n) {
        std::string record;
        for (int i = 0; i < n; ++i) {
            const char c = static_cast<char>((n * 31 + i) & 0xFF);
            if (c != '\r' && c != '\n') record += c;
        }
        input += record + (n % 2 ? "\r\n" : "\n");
        expected += EncipherLine(record) + "\n";
        records.push_back(record);
    }
    const WireRun enciphered = RunWire({"encipher"}, input);
    ASSERT_EQ(enciphered.exitCode, 0) << enciphered.err;
    EXPECT_EQ(enciphered.out, expected);

    const WireRun deciphered = RunWire({"decipher"}, enciphered.out);
    ASSERT_EQ(deciphered.exitCode, 0) << deciphered.err;
    std::string plain;
    for (const std::string& record : records) plain += record + "\n";
    EXPECT_EQ(deciphered.out, plain);
}

TEST(WireTool, TakesEachArgumentAsOneLine) {
    const WireRun run = RunWire({"encipher", "Moi^-^Tuvako01^-^0^KVLNQ^", "", "a"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "mPfDyiUl//VI1J13W+qtPu2FVEws+T0OLA==\n\ntA==\n");

    const std::string accented =
        "Ved\xE4"
        " kortti -x";
    EXPECT_EQ(RunWire({"--crlf", "decipher", "--", EncipherLine(accented)}).out, accented + "\r\n");
    EXPECT_EQ(RunWire({"encipher", "--", "-x", "--crlf"}).out,
              EncipherLine("-x") + "\n" + EncipherLine("--crlf") + "\n");
}

TEST(WireTool, KeepsALoneCrAndTheLastLineWithoutAnEnd) {
    const WireRun run = RunWire({"encipher"}, "a\rb\r\n\nlast");
    EXPECT_EQ(run.out, EncipherLine("a\rb") + "\n\n" + EncipherLine("last") + "\n");
    EXPECT_EQ(RunWire({"decipher"}, "").out, "");
}

TEST(WireTool, ExplainsItselfAndRefusesWrongCommandLines) {
    const WireRun help = RunWire({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("encipher"), std::string::npos);
    EXPECT_NE(help.out.find("decipher"), std::string::npos);

    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {}, {"scramble", "x"}, {"encipher", "-x"}, {"--verbose", "decipher"}}) {
        const WireRun run = RunWire(arguments, "a\n");
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("--help"), std::string::npos);
    }
}

}  // namespace
}  // namespace tuvako
