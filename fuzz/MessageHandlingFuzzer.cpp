// The main window on the offscreen platform, connected over the fake sockets table, gets
// arbitrary sequences of server messages (cards with and without "OK", START, BUTTON, STOP,
// arbitrary records, the login prompt, lines that are not cipher text), with presses on the
// buttons on show and time-outs in between. After every step:
//   - nothing was reported as escaping an event handler;
//   - the buttons on show lie inside the selection panel and none covers another, so there are
//     never more of them than the panel has slots, and the grid never grows;
//   - every line the terminal sent is an enciphered record of a kind the step may cause, with
//     its five leading fields in place and, in a choice, the right check code.
#include "FuzzSupport.h"

#include "app/Main.h"
#include "cipher/LineCipher.h"
#include "platform/ExceptionReporter.h"
#include "platform/MessageWindow.h"
#include "settings/TTimerPool.h"
#include "support/FakeSocketsApi.h"
#include "support/FakeTickClock.h"
#include "support/TempDir.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QPushButton>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace tuvako;
using Kinds = std::set<std::string>;

const std::string kTerminal = "Tuvako01";

// A field from the input: mostly short, now and then longer than any field may be.
std::string Field(FuzzedDataProvider& input) {
    const auto shape = input.ConsumeIntegral<std::uint8_t>();
    const std::size_t most = (shape & 0xF0) == 0xF0 ? 300 : 12;
    return input.ConsumeBytesAsString(std::size_t(shape) % (most + 1));
}

std::string Join(const std::vector<std::string>& fields) {
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i) text += (i ? "^" : "") + fields[i];
    return text;
}

std::string CardMessage(FuzzedDataProvider& input, bool accepted) {
    std::vector<std::string> fields{"Crd"};
    for (int i = 1; i <= 16; ++i) fields.push_back(i == 6 && accepted ? "OK" : Field(input));
    return Join(fields);
}

std::string ButtonsMessage(const std::string& step) {
    return "Buttons^1^2^3^4^" + step;
}

// XOR of the bytes up to and including the first "#", modulo 100, as two digits.
std::string ExpectedCheckCode(const std::string& text) {
    unsigned code = 0;
    for (std::size_t i = 0; i < text.size() && i < 255; ++i) {
        code ^= static_cast<unsigned char>(text[i]);
        if (text[i] == '#') return {char('0' + code % 100 / 10), char('0' + code % 10)};
    }
    return "00";
}

// Replaying one input with TUVAKO_FUZZ_TRACE set shows what the terminal got and sent.
void Trace(const char* what, const std::string& text) {
    static const bool trace = std::getenv("TUVAKO_FUZZ_TRACE") != nullptr;
    if (trace) std::fprintf(stderr, "%s %s\n", what, fuzz::Printable(text).c_str());
}

// One record the terminal sent, deciphered: kind ^ subject ^ terminal ^ "-" ^ "0" ^ data ^.
void CheckRecord(const std::string& record, const Kinds& allowed) {
    Trace("sent", record);
    const std::string shown = " in \"" + fuzz::Printable(record) + "\"";
    std::vector<std::string> head;
    std::size_t at = 0;
    for (int i = 0; i < 5; ++i) {
        const std::size_t end = record.find('^', at);
        fuzz::Check(end != std::string::npos, "a record with fewer than six fields" + shown);
        head.push_back(record.substr(at, end - at));
        at = end + 1;
    }
    fuzz::Check(allowed.count(head[0]) == 1, "a record of a kind this step must not send" + shown);
    for (const std::string& field : head)
        fuzz::Check(field.size() <= 35, "a field over 35" + shown);
    fuzz::Check(head[2] == kTerminal && head[3] == "-" && head[4] == "0",
                "terminal, fourth or fifth field out of place" + shown);
    fuzz::Check(record.back() == '^', "a record that does not end in ^" + shown);
    const std::string data = record.substr(at, record.size() - 1 - at);
    fuzz::Check(data.size() <= 255, "a data field over 255 bytes" + shown);
    if (head[0] == "Moi") fuzz::Check(head[1] == "-" && data == "KVLNQ", "a wrong login" + shown);
    if (head[0] == "Ping") fuzz::Check(head[1] == "-" && data == "Ping", "a wrong Ping" + shown);
    if (head[0] == "Log")
        fuzz::Check(
            data.find("Valintaa ei tehty!^SaveLogi^") != std::string::npos || data.size() == 255,
            "a report without its reason" + shown);
    if (head[0] == "Crd" && data.size() < 255) {
        const std::string code = ExpectedCheckCode(data);
        fuzz::Check(data.find("<#" + code + "&^OK^") != std::string::npos,
                    "a choice without check code " + code + shown);
    }
}

class Terminal {
public:
    explicit Terminal(const std::string& settings) {
        dir_.Write("Selvaro.ini",
                   "[MessageSrv]\nUse=Yes\nServerAddress=127.0.0.1\nPort=40201\n"
                   "PingTime=30\n[Tuvako01]\n" +
                       settings);
        ConfigFolderFacts facts;  // a program run from the fuzzer's directory
        facts.executableFolder = dir_.Path().string();
        window = std::make_unique<TfrmTuvakoMain>(std::vector<AnsiString>{},
                                                  StartOptions{ConfigFolder::Choose(facts)});
        window->resize(696, 494);
        // Laid out and shown, but never painted: painting costs most and checks nothing here.
        window->setAttribute(Qt::WA_DontShowOnScreen);
        window->show();
        net.CompleteConnect(0);
        fuzz::HandlePostedMessages();
        panel_ = window->findChild<QWidget*>("PanelValinta");
        pool_ = window->findChild<TTimerPool*>("TimerPool");
        fuzz::Check(panel_ && pool_, "the window lacks its selection panel or its timer pool");
    }
    ~Terminal() { window.reset(); }

    void Receive(const std::string& line) {
        Trace("received", line);
        net.Deliver(line);
        fuzz::HandlePostedMessages();
    }
    void ReceiveRecord(const std::string& record) { Receive(EncipherLine(record) + "\r\n"); }
    void Elapse(std::uint32_t ms) {
        clock_.Advance(ms);
        pool_->Window().SendMessage(WM_TIMER, 1, 0);
        fuzz::HandlePostedMessages();
    }
    std::vector<QPushButton*> ButtonsOnShow() const {
        std::vector<QPushButton*> shown;
        for (QPushButton* button : panel_->findChildren<QPushButton*>())
            if (button->isVisible()) shown.push_back(button);
        return shown;
    }

    void CheckButtons() {
        const auto all = panel_->findChildren<QPushButton*>();
        if (slots_ == 0) slots_ = all.size();
        fuzz::Check(all.size() == slots_, "the grid changed its number of slots");
        const auto shown = ButtonsOnShow();
        for (std::size_t i = 0; i < shown.size(); ++i) {
            fuzz::Check(panel_->rect().contains(shown[i]->geometry()),
                        "a button on show lies outside the selection panel");
            for (std::size_t j = 0; j < i; ++j)
                fuzz::Check(!shown[i]->geometry().intersects(shown[j]->geometry()),
                            "two buttons on show cover each other");
        }
    }
    // Checks the lines sent since the last call.
    void CheckSent(const Kinds& allowed) {
        if (net.Last().handle != socket_) {  // a new session: it connects at once
            socket_ = net.Last().handle;
            sentChecked_ = 0;
            net.CompleteConnect(0);
            fuzz::HandlePostedMessages();
        }
        const std::string& sent = net.Last().sent;
        for (std::size_t end; (end = sent.find("\r\n", sentChecked_)) != std::string::npos;) {
            CheckRecord(DecipherLine(sent.substr(sentChecked_, end - sentChecked_)), allowed);
            sentChecked_ = end + 2;
        }
        fuzz::Check(sentChecked_ == sent.size(), "a line sent without its CR LF");
    }

    test::FakeSocketsApi net;
    std::unique_ptr<TfrmTuvakoMain> window;

private:
    test::TempDir dir_;
    test::FakeTickClock clock_;
    QWidget* panel_ = nullptr;
    TTimerPool* pool_ = nullptr;
    qsizetype slots_ = 0;
    TSocket socket_ = InvalidSocket;
    std::size_t sentChecked_ = 0;
};

std::string Settings(FuzzedDataProvider& input) {
    static const char* const widths[] = {"100", "100", "1", "37", "250", "700", "0", "-5", "x"};
    static const char* const times[] = {"60", "0", "1", "-1"};
    static const char* const fonts[] = {"9", "0", "30"};
    const auto choice = input.ConsumeIntegral<std::uint16_t>();
    return std::string("ButtonWidth=") + widths[choice % std::size(widths)] +
           "\nButtonShowTime=" + times[(choice >> 4) % std::size(times)] +
           "\nFontSize=" + fonts[(choice >> 6) % std::size(fonts)] +
           "\nShowClearButton=" + ((choice & 0x100) ? "No" : "Yes") + "\n";
}

}  // namespace

TUVAKO_FUZZ_NO_LEAK_CHECK

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartApplication(true);
    ExceptionReporter::SetSink([](const AnsiString& report) {
        fuzz::Fail("an exception escaped an event handler: " + fuzz::Printable(report, 2000));
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Terminal terminal(Settings(input));
    terminal.CheckSent({});
    for (int steps = 0; input.remaining_bytes() > 0 && steps < 64; ++steps) {
        Kinds allowed;
        switch (input.ConsumeIntegral<std::uint8_t>() % 12) {
            case 0:
            case 1:
                terminal.ReceiveRecord(CardMessage(input, true));
                allowed = {"Log"};  // the customer before left without choosing
                break;
            case 2:
                terminal.ReceiveRecord(CardMessage(input, false));
                break;
            case 3:
                terminal.ReceiveRecord(ButtonsMessage("START"));
                break;
            case 4:
            case 5: {
                const std::string field6 = Field(input), code = Field(input);
                const std::string discount = Field(input), caption = Field(input);
                terminal.ReceiveRecord(ButtonsMessage("BUTTON^" + field6 + "^" + code + "^" +
                                                      discount + "^" + caption));
                break;
            }
            case 6:
                terminal.ReceiveRecord(ButtonsMessage("STOP"));
                break;
            case 7: {  // a press on one of the buttons on show
                const auto shown = terminal.ButtonsOnShow();
                if (!shown.empty())
                    shown[input.ConsumeIntegralInRange<std::size_t>(0, shown.size() - 1)]->click();
                allowed = {"Crd", "Log"};
                break;
            }
            case 8:  // time passes: a selection time-out, a keep-alive
                terminal.Elapse(input.ConsumeIntegralInRange<std::uint32_t>(0, 120'000));
                allowed = {"Log", "Ping"};
                break;
            case 9: {  // any record of eight fields
                std::string record = Field(input);
                for (int field = 1; field < 8; ++field) record += "^" + Field(input);
                terminal.ReceiveRecord(record);
                allowed = {"Log"};
                break;
            }
            case 10:
                terminal.Receive("Login:\r\n");
                allowed = {"Moi"};
                break;
            default: {  // bytes that are not cipher text, with or without a line end
                std::string bytes = Field(input);
                if (input.ConsumeBool()) bytes += "\r\n";
                terminal.Receive(bytes);
                allowed = {"Log", "Moi"};  // the bytes may end a line that is the login prompt
                break;
            }
        }
        terminal.CheckButtons();
        terminal.CheckSent(allowed);
    }
    return 0;
}
