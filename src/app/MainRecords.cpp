// Wire records and line framing: records out as enciphered lines, received lines taken apart.
#include "app/Main.h"

#include "app/Wdef.h"
#include "cipher/LineCipher.h"
#include "net/TWSocket.h"

namespace tuvako {

namespace {

bool EndsWithLineEnd(const AnsiString& text) {
    return text.size() >= 2 && text.ends_with(texts::kLineEnd);
}

}  // namespace

void TfrmTuvakoMain::SetLineTransport(LineTransport* transport) {
    lineTransport_.Attach(transport, [this](const AnsiString& received) { ReceiveLine(received); });
}

void TfrmTuvakoMain::SendRecord(const AnsiString& record) {
    if (!UseServer) return;
    if (!IsSessionConnected()) {
        // No queue: the record is lost and the next one goes over the new session.
        ReopenSession();
        return;
    }
    SendSessionText(EncipherRecord(record) + texts::kLineEnd);
    AddLog("Snd: " + record);
}

void TfrmTuvakoMain::ReceiveLine(const AnsiString& received) {
    // The window is closing: its codes are gone, and nothing should be sent on its behalf.
    if (formClosed_) return;

    AnsiString text = received;
    if (EndsWithLineEnd(text)) text.resize(text.size() - 2);

    if (text == texts::kLoginPrompt) {
        AddLog("Rcv: " + text);
        SendLogin();
    } else {
        text = DecipherReceived(text);
        AddLog("Rcv: " + text);
        BreakApart.SetBreakString("^");
        BreakApart.SetBaseString(text);
        BreakApart.Split();
        // A copy: handling the message may send records, and a transport may answer at once.
        const FieldList fields = BreakApart.StringList();
        if (fields.size() > 5) HandleMessage(fields);
    }
    RestartKeepAlive();
}

AnsiString TfrmTuvakoMain::EncipherRecord(const AnsiString& plain) {
    return EncipherLineWith(Chipper, plain);
}

AnsiString TfrmTuvakoMain::DecipherReceived(const AnsiString& cipherText) {
    return DecipherLineWith(Chipper, cipherText);
}

void TfrmTuvakoMain::ReopenSession() {
    if (LineTransport* transport = lineTransport_.Transport())
        transport->Open();
    else
        OpenSession();
}

bool TfrmTuvakoMain::IsSessionConnected() const {
    if (const LineTransport* transport = lineTransport_.Transport())
        return transport->IsConnected();
    return Socket && Socket->State() == wsConnected;
}

void TfrmTuvakoMain::SendSessionText(const AnsiString& text) {
    if (LineTransport* transport = lineTransport_.Transport())
        transport->SendText(text);
    else if (Socket)
        Socket->SendText(text);
}

}  // namespace tuvako
