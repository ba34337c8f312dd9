// A terminal on the offscreen platform whose session socket runs over the fake sockets table.
#pragma once

#include "MainWindowProbe.h"
#include "app/TSunkenLabel.h"
#include "cipher/LineCipher.h"
#include "platform/Cp1252.h"
#include "platform/MessageWindow.h"
#include "support/FakeSocketsApi.h"
#include "support/FakeTickClock.h"
#include "support/Wait.h"

#include <QLineEdit>
#include <QPushButton>

namespace tuvako {

// The window names this class its friend.
class CustomerRoadProbe {
public:
    explicit CustomerRoadProbe(TfrmTuvakoMain& window) : w_(window) {}
    void SetUseServer(bool on) { w_.UseServer = on; }
    void SendPing() { w_.SendPing(); }
    const AnsiString& PendingCustomer() const { return w_.PendingCustomer; }
    std::int32_t ButtonCount() const { return w_.ButtonCount; }
    const std::vector<AnsiString>& ButtonCodes() const { return w_.ButtonCodes; }
    QPushButton* Button(int slot) const { return w_.Buttons.at(std::size_t(slot)); }
    // The pool's platform timer fires: the triggers due on the fake clock run.
    void TimerTick() const { w_.TimerPool->Window().SendMessage(WM_TIMER, 1, 0); }

private:
    TfrmTuvakoMain& w_;
};

// A card with "OK" whose pending record is 4711^K1?A@55#^0^T9^V-88.
inline AnsiString AcceptedCard(const AnsiString& subject = "4711",
                               const AnsiString& note = "V-88") {
    return "Crd^1^" + subject + "^3^4^K1?A@55#^OK^C-1^0^T9^Matti Meik\xE4l\xE4inen^Sarjakortti^2^" +
           "31.12.2026^7^12,50^" + note;
}
inline AnsiString ButtonMessage(const AnsiString& code, const AnsiString& caption,
                                const AnsiString& discountClass = "") {
    return "Buttons^1^2^3^4^BUTTON^X^" + code + "^" + discountClass + "^" + caption;
}
inline const AnsiString kStart = "Buttons^1^2^3^4^START";
inline const AnsiString kStop = "Buttons^1^2^3^4^STOP";
inline const QString kClear = QStringLiteral("Tyhjenn\u00E4 ruutu");
inline const AnsiString kChoice = "Crd^4711^Tuvako01^-^0^K1?A@VV12@55<#24&^OK^0^Lippu=T9^";
inline const AnsiString kWaiting = "Ved\xE4 kortti lukijasta";
using Captions = std::vector<QString>;
using Records = std::vector<AnsiString>;

using test::HandlePostedMessages;

class RoadFixture : public WindowTest {
protected:
    ~RoadFixture() override { window.reset(); }  // before the sockets table and the clock

    // A terminal with `settings` in section Tuvako01, at its designed client size: a selection
    // panel of 694 x 376 (15 slots of the default width), connected over the fake network. The
    // keep-alive comes only after an hour of silence.
    void Start(const std::string& settings = "") {
        Open("Use=Yes\nPingTime=3600\n", settings);
        Connect();
        window->resize(696, 494);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    // The terminal starts with `server` in section MessageSrv; its first connect is pending.
    void Open(const std::string& server, const std::string& settings = "") {
        WriteConfig("[MessageSrv]\nServerAddress=127.0.0.1\n" + server + "[Tuvako01]\n" + settings);
        road = std::make_unique<CustomerRoadProbe>(WindowTest::Start());
    }
    // The connect of the newest socket succeeds.
    void Connect() {
        net.CompleteConnect(0);
        HandlePostedMessages();
    }

    // The server sends each text as one line: enciphered, or as it is.
    void Receive(std::initializer_list<AnsiString> plain) {
        for (const AnsiString& line : plain) ReceivePlain(EncipherLine(line) + "\r\n");
    }
    void ReceivePlain(const AnsiString& bytes) {
        net.Deliver(bytes);
        HandlePostedMessages();
    }
    // A card and a list of two choices, the second discounted.
    void OfferTwoChoices(const AnsiString& card = AcceptedCard()) {
        Receive({card, kStart, ButtonMessage("V12", "Sali"), ButtonMessage("P3", "Kuntosali", "A"),
                 kStop});
    }
    void Click(int slot) const {
        QTest::mouseClick(road->Button(slot), Qt::LeftButton);
        HandlePostedMessages();
    }
    void Elapse(std::uint32_t ms) {
        clock.Advance(ms);
        road->TimerTick();
        HandlePostedMessages();
    }

    // The lines the network took, on every socket, each with its CR LF.
    Records Lines() const {
        Records lines;
        for (const auto& socket : net.Sockets())
            for (std::size_t at = 0, end; (end = socket.sent.find("\r\n", at)) != npos;
                 at = end + 2)
                lines.push_back(socket.sent.substr(at, end + 2 - at));
        return lines;
    }
    // The records sent so far, deciphered.
    Records Sent() const {
        Records records;
        for (const AnsiString& line : Lines())
            records.push_back(DecipherLine(line.substr(0, line.size() - 2)));
        return records;
    }

    AnsiString Headline() const { return Find<TSunkenLabel>("LblHuom")->Caption(); }
    AnsiString Box(const char* name) const { return FromQString(Find<QLineEdit>(name)->text()); }
    QString Log() const { return Find<LogPane>("Memo")->Text(); }
    // The captions of the buttons on show, in slot order.
    Captions Shown() const {
        Captions captions;
        for (int slot = 0; slot < road->ButtonCount(); ++slot)
            if (road->Button(slot)->isVisible()) captions.push_back(road->Button(slot)->text());
        return captions;
    }
    void ExpectWaitingScreen() const {
        EXPECT_EQ(Headline(), kWaiting);
        EXPECT_TRUE(Shown().empty());
        EXPECT_EQ(Box("EdtKortti") + Box("EdtNimi") + Box("EdtKoTiedot"), "");
        EXPECT_EQ(road->PendingCustomer(), "");
    }

    static constexpr auto npos = std::string::npos;
    test::FakeTickClock clock;  // the timer pool reads it from start-up on
    test::FakeSocketsApi net;   // in place of the system's table from start-up on
    std::unique_ptr<CustomerRoadProbe> road;
};

}  // namespace tuvako
