// Endpoint texts to numbers: host, port and protocol.
#pragma once

#include "platform/AnsiString.h"

#include <cstdint>

namespace tuvako {

// Each raises ESocketError with a fixed text when the text cannot be resolved.

// An IPv4 address in network byte order. A dotted address is converted without a lookup; any
// other text is looked up by name, synchronously.
std::uint32_t ResolveHost(const AnsiString& host);

// A port number in host byte order. A text starting with a digit is read as a decimal number
// and kept in 16 bits (70000 gives 4464); any other text is a service name for `proto`.
std::uint16_t ResolvePort(const AnsiString& port, const AnsiString& proto);

// A protocol number: a decimal number, "tcp" 6, "udp" 17, "raw" 255, or a looked-up name.
int ResolveProto(const AnsiString& proto);

// The dotted-address test: exactly three dots between decimal numbers of at most 255, blanks
// allowed before; after the last number one character of any kind, then only blanks.
bool IsDottedIP(const AnsiString& text);

}  // namespace tuvako
