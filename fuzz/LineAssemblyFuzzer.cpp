// Arbitrary bytes reach a line-mode socket over the fake sockets table, in chunks and reads
// that the input chooses; the peer closes or resets at the end. A plain model of line assembly
// says which lines must come: the bytes split after each CR LF, a run of more than 65536 bytes
// without one dropped at the read that passes the limit, the rest delivered at the close, each
// line once and in order, and then exactly one close event with the peer's error code.
#include "FuzzSupport.h"

#include "net/TClientSocket.h"
#include "support/FakeSocketsApi.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QObject>
#include <QPointer>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace tuvako;

constexpr std::size_t kLineLimit = 65536;

// The lines a receiver must see, worked out from whole reads.
class LineModel {
public:
    void Read(const std::string& bytes) {
        // Only the new bytes and the one before them can hold a terminator not yet seen.
        std::size_t from = held_.empty() ? 0 : held_.size() - 1;
        held_ += bytes;
        std::size_t start = 0;
        for (std::size_t at; (at = held_.find("\r\n", from)) != std::string::npos;) {
            lines.push_back(held_.substr(start, at + 2 - start));
            start = from = at + 2;
        }
        held_.erase(0, start);
        if (held_.size() > kLineLimit) held_.clear();
    }
    void Close(int error) {
        if (!held_.empty()) lines.push_back(held_);
        held_.clear();
        lines.push_back("closed " + std::to_string(error));
    }

    std::vector<std::string> lines;

private:
    std::string held_;
};

// How many bytes the fake network reports ready at a time (0: all there are).
constexpr std::size_t kReadSizes[] = {0, 0, 0, 1, 2, 3, 7, 255, 4096, 65535};

void CompareEvents(const std::vector<std::string>& expected, const std::vector<std::string>& got) {
    for (std::size_t i = 0; i < expected.size() || i < got.size(); ++i) {
        const std::string want = i < expected.size() ? expected[i] : "(nothing)";
        const std::string have = i < got.size() ? got[i] : "(nothing)";
        if (want != have)
            fuzz::Fail("event " + std::to_string(i) + ": expected \"" + fuzz::Printable(want) +
                       "\", got \"" + fuzz::Printable(have) + "\"");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartApplication(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto ending = input.ConsumeIntegral<std::uint8_t>();
    const int closeError = (ending & 1) ? WsaError::ConnReset : 0;
    const std::size_t readSize = kReadSizes[(ending >> 1) % std::size(kReadSizes)];

    test::FakeSocketsApi net;
    net.readableCap = readSize;
    QObject owner;
    QPointer<TClientSocket> socket = new TClientSocket(&owner);
    std::vector<std::string> events;
    socket->OnDataAvailable = [&](TCustomSocket*, std::uint16_t) {
        events.push_back(socket->ReceiveText());
    };
    socket->OnSessionClosed = [&](TCustomSocket*, std::uint16_t error) {
        events.push_back("closed " + std::to_string(error));
    };
    socket->SetAddr("127.0.0.1");
    socket->SetPort("40201");
    socket->SetLineMode(true);
    socket->Connect();
    net.CompleteConnect(0);
    fuzz::HandlePostedMessages();
    fuzz::Check(socket->State() == wsConnected, "the fake connection did not open");

    LineModel model;
    std::string unread;  // delivered to the network, not yet taken by a read
    const auto readAll = [&] {
        // Each read posts the next notification while bytes remain.
        do fuzz::HandlePostedMessages();
        while (net.Last().readPosted);
        for (std::size_t at = 0; at < unread.size();) {
            const std::size_t piece = readSize == 0 ? unread.size() : readSize;
            model.Read(unread.substr(at, piece));
            at += piece;
        }
        unread.clear();
    };
    while (input.remaining_bytes() > 0) {
        std::string chunk;
        // Long runs of one byte reach the limit with a small input; tiny reads of a long run
        // take long and find nothing new.
        const std::size_t longest = readSize == 0 || readSize >= 4096 ? 70000 : 2000;
        switch (input.ConsumeIntegral<std::uint8_t>() % 5) {
            case 0:
            case 1:
                chunk =
                    input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, 600));
                break;
            case 2:  // a run that ends just before, at or just after the limit
                chunk.assign(
                    std::min(longest, kLineLimit - 4 + input.ConsumeIntegral<std::uint8_t>() % 9),
                    input.ConsumeIntegral<char>());
                break;
            case 3:
                chunk.assign(input.ConsumeIntegralInRange<std::size_t>(0, longest),
                             input.ConsumeIntegral<char>());
                break;
            default:
                readAll();
                continue;
        }
        net.Deliver(chunk);
        unread += chunk;
    }
    readAll();
    net.PeerClose(closeError);
    fuzz::HandlePostedMessages();
    model.Close(closeError);
    CompareEvents(model.lines, events);
    return 0;
}
