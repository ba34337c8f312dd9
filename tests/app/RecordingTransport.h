// A LineTransport for tests: keeps every line the window sends and counts session requests.
#pragma once

#include "app/LineTransport.h"

#include <vector>

namespace tuvako {

class RecordingTransport : public LineTransport {
public:
    bool IsConnected() const override { return connected; }
    void Open() override { ++openRequests; }
    void SendText(const AnsiString& text) override { sent.push_back(text); }

    bool connected = true;
    int openRequests = 0;
    std::vector<AnsiString> sent;  // enciphered lines with their CR LF
};

}  // namespace tuvako
