#include "net/Resolve.h"

#include "net/ESocketError.h"
#include "net/SocketsLibrary.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace tuvako {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

AnsiString TrimmedLower(const AnsiString& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == AnsiString::npos) return {};
    AnsiString result = text.substr(first, text.find_last_not_of(' ') - first + 1);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return result;
}

// Decimal digits from the start of `text`, up to the first other character, modulo 2^32.
std::uint32_t LeadingNumber(const AnsiString& text) {
    std::uint32_t number = 0;
    for (char c : text) {
        if (!IsDigit(c)) break;
        number = number * 10 + std::uint32_t(c - '0');
    }
    return number;
}

}  // namespace

bool IsDottedIP(const AnsiString& text) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == AnsiString::npos || text[i] == '.') return false;
    int dots = 0;
    std::uint64_t number = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            number = std::min<std::uint64_t>(number * 10 + std::uint64_t(c - '0'), 1u << 20);
        } else if (c == '.') {
            if (++dots > 3 || number > 255 || i + 1 >= text.size() || !IsDigit(text[i + 1]))
                return false;
            number = 0;
        } else {
            // Any other character ends the number; only blanks may come after it.
            if (text.find_first_not_of(' ', i + 1) != AnsiString::npos) return false;
            break;
        }
    }
    return dots == 3 && number <= 255;
}

std::uint32_t ResolveHost(const AnsiString& host) {
    if (host.empty() || host.size() > 256)
        throw ESocketError("ResolveHost: '" + host + "' Invalid Hostname.");
    SocketsApi& api = SocketsLibrary::Api();
    if (IsDottedIP(host)) {
        const std::uint32_t address = api.InetAddr(host.c_str());
        if (address == InAddrNone && host != "255.255.255.255")
            throw ESocketError("ResolveHost: '" + host + "' Invalid IP address.");
        return address;
    }
    std::uint32_t address = 0;
    if (api.GetHostByName(host.c_str(), address) != 0)
        throw ESocketError("ResolveHost: Cannot convert host address '" + host + "', Error #" +
                           std::to_string(api.GetLastError()));
    return address;
}

std::uint16_t ResolvePort(const AnsiString& port, const AnsiString& proto) {
    if (port.empty() || port.size() >= 32) throw ESocketError("ResolvePort: Invalid Port.");
    if (proto.empty() || proto.size() >= 32) throw ESocketError("ResolvePort: Invalid Proto.");
    if (IsDigit(port[0])) return std::uint16_t(LeadingNumber(port));
    SocketsApi& api = SocketsLibrary::Api();
    std::uint16_t number = 0;
    if (api.GetServByName(port.c_str(), proto.c_str(), number) != 0)
        throw ESocketError("ResolvePort: Cannot convert port '" + port + "', Error #" +
                           std::to_string(api.GetLastError()));
    return number;
}

int ResolveProto(const AnsiString& proto) {
    if (proto.empty() || proto.size() >= 32) throw ESocketError("ResolveProto: Invalid Protocol.");
    if (IsDigit(proto[0])) return int(LeadingNumber(proto) & 0x7FFFFFFF);
    const AnsiString name = TrimmedLower(proto);
    if (name == "tcp") return IpProtoTcp;
    if (name == "udp") return IpProtoUdp;
    if (name == "raw") return IpProtoRaw;
    SocketsApi& api = SocketsLibrary::Api();
    int number = 0;
    if (api.GetProtoByName(name.c_str(), number) != 0)
        throw ESocketError("ResolveProto: Cannot convert protocol '" + proto + "', Error #" +
                           std::to_string(api.GetLastError()));
    return number;
}

}  // namespace tuvako
