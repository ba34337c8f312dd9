// tuvako-wire, run as a program: lines from standard input or arguments, bytes unchanged.
#include "cipher/LineCipher.h"
#include "cipher/TSha1.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace tuvako {
namespace {

struct WireRun {
    int exitCode = -1;
    std::string out, err;
};

#ifdef _WIN32
// cmd.exe runs the command: each word in double quotes, and the whole line quoted once more,
// since cmd drops the first and the last quote of a line that starts with one.
std::string Quoted(const std::string& text) {
    return '"' + text + '"';
}
std::string CommandLine(const std::string& words) {
    return '"' + words + '"';
}
int ExitCode(int status) {
    return status;
}
#else
std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}
std::string CommandLine(const std::string& words) {
    return words;
}
int ExitCode(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

// Each argument goes to the tool quoted, so byte for byte (none holds a quote).
WireRun RunWire(const std::vector<std::string>& arguments, const std::string& input = "") {
    test::TempDir dir;
    std::string command = Quoted(std::filesystem::path(TUVAKO_WIRE_PATH).make_preferred().string());
    // Appended piece by piece: g++ 12 at -O3 warns falsely about "text" + std::string there.
    const auto append = [&command](const char* separator, const std::string& word) {
        command.append(separator).append(Quoted(word));
    };
    for (const std::string& argument : arguments) append(" ", argument);
    append(" <", dir.Write("in", input).string());
    append(" >", dir.File("out").string());
    append(" 2>", dir.File("err").string());
    const int status = std::system(CommandLine(command).c_str());
    return {ExitCode(status), test::TempDir::Read(dir.File("out")),
            test::TempDir::Read(dir.File("err"))};
}

// Record n of 300 holds n bytes of every value but CR and LF.
std::string EveryByteRecord(int n) {
    std::string record;
    for (int i = 0; i < n; ++i)
        if (const char c = static_cast<char>(n * 31 + i); c != '\r' && c != '\n') record += c;
    return record;
}

std::string Sha1Hex(const std::string& bytes) {
    TSha1 hash;
    hash.Init();
    hash.UpdateStr(bytes);
    std::uint8_t digest[20];
    hash.Final(digest);
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const std::uint8_t byte : digest) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

TEST(WireTool, RoundTripsAFileOfLinesWithEveryByteValueButCrAndLf) {
    std::string input, expected, plain;
    for (int n = 0; n < 300; ++n) {
        const std::string record = EveryByteRecord(n);
        input += record + (n % 2 ? "\r\n" : "\n");
        expected += EncipherLine(record) + "\n";
        plain += record + "\n";
    }
    const WireRun enciphered = RunWire({"encipher"}, input);
    ASSERT_EQ(enciphered.exitCode, 0) << enciphered.err;
    EXPECT_EQ(enciphered.out, expected);
    const WireRun deciphered = RunWire({"decipher"}, enciphered.out);
    ASSERT_EQ(deciphered.exitCode, 0) << deciphered.err;
    EXPECT_EQ(deciphered.out, plain);
}

// The digest was taken of the amd64 tool's output: the same file enciphered on another machine
// (the arm64 build runs this under emulation) must give the very same bytes, so terminals of
// both kinds talk to one server.
TEST(WireTool, EnciphersAFileToTheSameBytesAsTheAmd64Build) {
    std::string input;
    for (int n = 0; n < 300; ++n) input += EveryByteRecord(n) + "\n";
    const WireRun run = RunWire({"encipher"}, input);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Sha1Hex(run.out), "d3821a700e228368eaf97da9077642115eb38f8e");
}

TEST(WireTool, TakesEachArgumentAsOneLineAndKeepsALoneCrAndAnUnendedLastLine) {
    const WireRun run = RunWire({"encipher", "Moi^-^Tuvako01^-^0^KVLNQ^", "", "a"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "mPfDyiUl//VI1J13W+qtPu2FVEws+T0OLA==\n\ntA==\n");
    const std::string accented = "Ved\xE4 kortti -x";
    EXPECT_EQ(RunWire({"--crlf", "decipher", "--", EncipherLine(accented)}).out, accented + "\r\n");
    EXPECT_EQ(RunWire({"encipher", "--", "-x", "--crlf"}).out,
              EncipherLine("-x") + "\n" + EncipherLine("--crlf") + "\n");
    EXPECT_EQ(RunWire({"encipher"}, "a\rb\r\n\nlast").out,
              EncipherLine("a\rb") + "\n\n" + EncipherLine("last") + "\n");
    EXPECT_EQ(RunWire({"decipher"}, "").out, "");
}

TEST(WireTool, ExplainsItselfAndRefusesWrongCommandLines) {
    const WireRun help = RunWire({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("encipher"), std::string::npos);
    EXPECT_NE(help.out.find("decipher"), std::string::npos);
    const WireRun version = RunWire({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "tuvako-wire " TUVAKO_VERSION "\n");
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
