// States, options, event types and window messages of the socket component.
#pragma once

#include "platform/AnsiString.h"
#include "platform/MessageWindow.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <initializer_list>

namespace tuvako {

class TCustomWSocket;

// The numbers are the stored values.
enum TSocketState {
    wsInvalidState = 0,
    wsOpened = 1,
    wsBound = 2,
    wsConnecting = 3,
    wsSocksConnected = 4,
    wsConnected = 5,
    wsAccepting = 6,
    wsListening = 7,
    wsClosed = 8,
};

enum TSocketSendFlags { wsSendNormal, wsSendUrgent };
enum TSocketLingerOnOff { wsLingerOff, wsLingerOn, wsLingerNoSet };
enum TSocketKeepAliveOnOff { wsKeepAliveOff, wsKeepAliveOnCustom, wsKeepAliveOnSystem };
enum TWSocketOption { wsoNoReceiveLoop, wsoTcpNoDelay, wsoSIO_RCVALL };

// A set of TWSocketOption values.
class TWSocketOptions {
public:
    TWSocketOptions() = default;
    TWSocketOptions(std::initializer_list<TWSocketOption> options) {
        for (TWSocketOption option : options) bits_ |= Bit(option);
    }
    bool Contains(TWSocketOption option) const { return (bits_ & Bit(option)) != 0; }
    bool operator==(const TWSocketOptions&) const = default;

private:
    static unsigned Bit(TWSocketOption option) { return 1u << unsigned(option); }
    unsigned bits_ = 0;
};

// Event types. Sender is always the socket; an ErrCode is a Windows Sockets error, 0 for none.
using TSessionConnected = std::function<void(TCustomWSocket* sender, std::uint16_t errCode)>;
using TSessionClosed = std::function<void(TCustomWSocket* sender, std::uint16_t errCode)>;
using TDataAvailable = std::function<void(TCustomWSocket* sender, std::uint16_t errCode)>;
using TDataSent = std::function<void(TCustomWSocket* sender, std::uint16_t errCode)>;
using TSendData = std::function<void(TCustomWSocket* sender, int bytesSent)>;
using TChangeState =
    std::function<void(TCustomWSocket* sender, TSocketState oldState, TSocketState newState)>;
// canClose is true on entry; leaving it true lets the socket abort after the exception.
using TBgExceptionEvent =
    std::function<void(TCustomWSocket* sender, const std::exception& error, bool& canClose)>;
// Takes the place of the exception an error would otherwise raise; gets that message.
using TSocketErrorEvent = std::function<void(TCustomWSocket* sender, const AnsiString& message)>;
// clearData is true on entry; leaving it true drops the bytes held.
using TLineLimitEvent =
    std::function<void(TCustomWSocket* sender, int rcvdLength, bool& clearData)>;

// Messages of the socket's hidden window.
constexpr std::uint32_t WM_WSOCKET_EVENT = WM_USER + 1;  // wParam socket, lParam event
constexpr std::uint32_t WM_WSOCKET_CLOSE_LATER = WM_USER + 4;
constexpr std::uint32_t WM_WSOCKET_DESTROY_LATER = WM_USER + 5;
constexpr std::uint32_t WM_WSOCKET_TEST_EXCEPTION = WM_USER + 6;
constexpr std::uint32_t WM_WSOCKET_LINE_RETRIGGER = WM_USER + 20;

}  // namespace tuvako
