// A terminal on the offscreen platform with a recording transport in place of its socket.
#pragma once

#include "CustomerRoadProbe.h"
#include "RecordingTransport.h"
#include "app/TOvcLabel.h"
#include "cipher/LineCipher.h"
#include "platform/Cp1252.h"
#include "platform/ExecutableFile.h"
#include "support/FakeTickClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace tuvako {

// A card with "OK" whose pending record is 4711^K1?A@55#^0^T9^V-88: the worked example of a
// choice, with a note (field 4) for the no-choice report.
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
inline const std::vector<QString> kOnlyClearButton = {QStringLiteral("Tyhjenn\u00E4 ruutu")};

class RoadFixture : public ::testing::Test {
protected:
    RoadFixture() { SetExecutableFileForTesting((dir.Path() / "tuvako").string()); }
    ~RoadFixture() override {
        window.reset();
        SetExecutableFileForTesting({});
    }

    // Starts a terminal with `terminalSettings` (ini lines of section Tuvako01) at its designed
    // client size, a selection panel of 694 x 376 (15 slots of the default width), its server
    // link switched on over the recording transport.
    void Start(const std::string& terminalSettings = "") {
        dir.Write("Selvaro.ini", "[Tuvako01]\n" + terminalSettings);
        window = std::make_unique<TfrmTuvakoMain>(std::vector<AnsiString>{});
        probe = std::make_unique<CustomerRoadProbe>(*window);
        window->SetLineTransport(&transport);
        probe->SetUseServer(true);
        window->resize(696, 494);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // The server sends `plain`, enciphered, as one line.
    void Receive(const AnsiString& plain) { transport.Deliver(EncipherLine(plain) + "\r\n"); }
    void Click(int slot) const { QTest::mouseClick(probe->Button(slot), Qt::LeftButton); }

    // The records sent so far, deciphered from lines that each end in CR LF.
    std::vector<AnsiString> Sent() const {
        std::vector<AnsiString> records;
        for (const AnsiString& line : transport.sent) {
            EXPECT_TRUE(line.ends_with("\r\n"));
            records.push_back(DecipherLine(line.substr(0, line.size() - 2)));
        }
        return records;
    }

    AnsiString Headline() const { return Find<TOvcLabel>("OvcHuom")->Caption(); }
    AnsiString Box(const char* name) const { return FromQString(Find<QLineEdit>(name)->text()); }
    // The captions of the buttons on show, in slot order.
    std::vector<QString> Shown() const {
        std::vector<QString> captions;
        for (int slot = 0; slot < probe->ButtonCount(); ++slot)
            if (probe->Button(slot)->isVisible()) captions.push_back(probe->Button(slot)->text());
        return captions;
    }
    void ExpectWaitingScreen() const {
        EXPECT_EQ(Headline(), "Ved\xE4 kortti lukijasta");
        EXPECT_TRUE(Shown().empty());
        EXPECT_EQ(Box("EdtKortti") + Box("EdtNimi") + Box("EdtKoTiedot"), "");
        EXPECT_EQ(probe->PendingCustomer(), "");
    }

    template <class Widget>
    Widget* Find(const char* name) const {
        return window->findChild<Widget*>(QString::fromLatin1(name));
    }

    test::FakeTickClock clock;  // first: the timer pool reads it from start-up on
    test::TempDir dir;
    RecordingTransport transport;  // before the window, which detaches from it when it goes
    std::unique_ptr<TfrmTuvakoMain> window;
    std::unique_ptr<CustomerRoadProbe> probe;
};

}  // namespace tuvako
