// States, options, event types and window messages of the socket component.
#pragma once

#include "platform/AnsiString.h"
#include "platform/MessageWindow.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <initializer_list>

namespace tuvako {

class TCustomSocket;

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
enum TSocketOption { wsoNoReceiveLoop, wsoTcpNoDelay, wsoSIO_RCVALL };

// A set of TSocketOption values.
class TSocketOptions {
public:
    TSocketOptions() = default;
    TSocketOptions(std::initializer_list<TSocketOption> options) {
        for (TSocketOption option : options) bits_ |= Bit(option);
    }
    bool Contains(TSocketOption option) const { return (bits_ & Bit(option)) != 0; }
    bool operator==(const TSocketOptions&) const = default;

private:
    static unsigned Bit(TSocketOption option) { return 1u << unsigned(option); }
    unsigned bits_ = 0;
};

// Event types. Sender is always the socket; an ErrCode is a Windows Sockets error, 0 for none.
using TSessionConnected = std::function<void(TCustomSocket* sender, std::uint16_t errCode)>;
using TSessionClosed = std::function<void(TCustomSocket* sender, std::uint16_t errCode)>;
using TDataAvailable = std::function<void(TCustomSocket* sender, std::uint16_t errCode)>;
using TDataSent = std::function<void(TCustomSocket* sender, std::uint16_t errCode)>;
using TSendData = std::function<void(TCustomSocket* sender, int bytesSent)>;
using TChangeState =
    std::function<void(TCustomSocket* sender, TSocketState oldState, TSocketState newState)>;
// canClose is true on entry; leaving it true lets the socket abort after the exception.
using TBgExceptionEvent =
    std::function<void(TCustomSocket* sender, const std::exception& error, bool& canClose)>;
// Takes the place of the exception an error would otherwise raise; gets that message.
using TSocketErrorEvent = std::function<void(TCustomSocket* sender, const AnsiString& message)>;
// clearData is true on entry; leaving it true drops the bytes held.
using TLineLimitEvent = std::function<void(TCustomSocket* sender, int rcvdLength, bool& clearData)>;

// Messages of the socket's hidden window.
constexpr std::uint32_t WM_SOCKET_EVENT = WM_USER + 1;  // wParam socket, lParam event
constexpr std::uint32_t WM_SOCKET_CLOSE_LATER = WM_USER + 4;
constexpr std::uint32_t WM_SOCKET_DESTROY_LATER = WM_USER + 5;
constexpr std::uint32_t WM_SOCKET_TEST_EXCEPTION = WM_USER + 6;
constexpr std::uint32_t WM_SOCKET_LINE_RETRIGGER = WM_USER + 20;

}  // namespace tuvako
