// The window's end of a LineTransport.
#pragma once

#include "app/LineTransport.h"

namespace tuvako {

// The window's end of a LineTransport: attaches the window's receiver and detaches it again
// when another transport takes its place or the window's fields are destroyed.
class LineTransportLink {
public:
    LineTransportLink() = default;
    ~LineTransportLink() { Attach(nullptr, {}); }
    LineTransportLink(const LineTransportLink&) = delete;
    LineTransportLink& operator=(const LineTransportLink&) = delete;

    void Attach(LineTransport* transport, LineTransport::Receiver receiver) {
        if (transport_) transport_->SetReceiver({});
        transport_ = transport;
        if (transport_) transport_->SetReceiver(std::move(receiver));
    }

    LineTransport* Transport() const { return transport_; }

private:
    LineTransport* transport_ = nullptr;
};

}  // namespace tuvako
