// A terminal on the offscreen platform with a recording transport in place of its socket.
#pragma once

#include "MainWindowProbe.h"
#include "app/LineTransport.h"
#include "app/TOvcLabel.h"
#include "cipher/LineCipher.h"
#include "platform/Cp1252.h"
#include "platform/MessageWindow.h"
#include "support/FakeTickClock.h"

#include <QLineEdit>
#include <QPushButton>

namespace tuvako {

// The window names this class its friend.
class CustomerRoadProbe {
public:
    explicit CustomerRoadProbe(TfrmTuvakoMain& window) : w_(window) {}
    void SetUseServer(bool on) { w_.UseServer = on; }
    const AnsiString& PendingCustomer() const { return w_.PendingCustomer; }
    std::int32_t ButtonCount() const { return w_.ButtonCount; }
    const std::vector<AnsiString>& ButtonCodes() const { return w_.ButtonCodes; }
    QPushButton* Button(int slot) const { return w_.Buttons.at(std::size_t(slot)); }
    // The pool's platform timer fires: the triggers due on the fake clock run.
    void TimerTick() const { w_.OvcTimerPool->Window().SendMessage(WM_TIMER, 1, 0); }

private:
    TfrmTuvakoMain& w_;
};

// Keeps every line the window sends and counts its requests for a new session.
class RecordingTransport : public LineTransport {
public:
    bool IsConnected() const override { return connected; }
    void Open() override { ++openRequests; }
    void SendText(const AnsiString& text) override { sent.push_back(text); }

    bool connected = true;
    int openRequests = 0;
    std::vector<AnsiString> sent;  // enciphered lines with their CR LF
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

class RoadFixture : public WindowTest {
protected:
    ~RoadFixture() override { window.reset(); }  // before the transport and the clock

    // A terminal with `settings` in section Tuvako01, at its designed client size: a selection
    // panel of 694 x 376 (15 slots of the default width), the link on over the transport.
    void Start(const std::string& settings = "") {
        WriteConfig("[Tuvako01]\n" + settings);
        road = std::make_unique<CustomerRoadProbe>(WindowTest::Start());
        window->SetLineTransport(&transport);
        road->SetUseServer(true);  // after start-up, so that no session opens
        window->resize(696, 494);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // The server sends each plain text, enciphered, as one line.
    void Receive(std::initializer_list<AnsiString> plain) {
        for (const AnsiString& line : plain) transport.Deliver(EncipherLine(line) + "\r\n");
    }
    // A card and a list of two choices, the second discounted.
    void OfferTwoChoices(const AnsiString& card = AcceptedCard()) {
        Receive({card, kStart, ButtonMessage("V12", "Sali"), ButtonMessage("P3", "Kuntosali", "A"),
                 kStop});
    }
    void Click(int slot) const { QTest::mouseClick(road->Button(slot), Qt::LeftButton); }
    void Elapse(std::uint32_t ms) {
        clock.Advance(ms);
        road->TimerTick();
    }

    // The records sent so far, deciphered from lines that each end in CR LF.
    Records Sent() const {
        Records records;
        for (const AnsiString& line : transport.sent) {
            EXPECT_TRUE(line.ends_with("\r\n"));
            records.push_back(DecipherLine(line.substr(0, line.size() - 2)));
        }
        return records;
    }

    AnsiString Headline() const { return Find<TOvcLabel>("OvcHuom")->Caption(); }
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

    test::FakeTickClock clock;     // the timer pool reads it from start-up on
    RecordingTransport transport;  // the window detaches from it when it goes
    std::unique_ptr<CustomerRoadProbe> road;
};

}  // namespace tuvako
