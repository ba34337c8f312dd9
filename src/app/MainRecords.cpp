// Wire records and line framing: records out as enciphered lines, received lines taken apart.
#include "app/Main.h"

#include "app/Wdef.h"
#include "cipher/LineCipher.h"
#include "net/TClientSocket.h"
#include "platform/Exception.h"

namespace tuvako {

namespace {

bool EndsWithLineEnd(const AnsiString& text) {
    return text.size() >= 2 && text.ends_with(texts::kLineEnd);
}

}  // namespace

bool TfrmTuvakoMain::SendRecord(const AnsiString& record) {
    if (!UseServer) return false;
    if (!IsSessionConnected()) {
        AddLog("Not sent, no session: " + record);
        OpenSession();
        return false;
    }
    try {
        return SendOnSession(record);
    } catch (const std::exception& error) {
        AddLog("Not sent, " + DescribeException(error) + ": " + record);
    } catch (...) {
        AddLog("Not sent, unknown failure: " + record);
    }
    return false;
}

bool TfrmTuvakoMain::IsSessionConnected() const {
    return Socket && Socket->State() == wsConnected;
}

// "Snd:" only for what the session took: a send that found the connection gone closed it.
bool TfrmTuvakoMain::SendOnSession(const AnsiString& record) {
    TClientSocket* const socket = Socket;
    socket->SendText(EncipherRecord(record) + texts::kLineEnd);
    if (Socket != socket || socket->State() != wsConnected) {
        AddLog("Not sent, session closed: " + record);
        return false;
    }
    AddLog("Snd: " + record);
    return true;
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
        // A copy: handling the message may send records, and the splitter may be used again.
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

}  // namespace tuvako
