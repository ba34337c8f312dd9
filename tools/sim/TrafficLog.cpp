#include "sim/TrafficLog.h"

#include "platform/Cp1252.h"

#include <QTime>

namespace tuvako::sim {

void TrafficLog::Line(const std::string& utf8Text) {
    const QByteArray stamp = QTime::currentTime().toString("hh:mm:ss.zzz ").toLatin1();
    std::string line(stamp.constData(), std::size_t(stamp.size()));
    line += utf8Text;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), out_);
    std::fflush(out_);
}

std::string TrafficLog::Printable(const AnsiString& text, std::size_t maxBytes) {
    const bool cut = text.size() > maxBytes;
    AnsiString shown;
    shown.reserve(std::min(text.size(), maxBytes) + 16);
    for (std::size_t i = 0; i < text.size() && i < maxBytes; ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte < 32)
            shown.append("[").append(std::to_string(byte)).append("]");
        else
            shown += char(byte);
    }
    std::string result = ToQString(shown).toStdString();
    if (cut) result.append("... (").append(std::to_string(text.size())).append(" bytes)");
    return result;
}

// Appended piece by piece: GCC 12 takes "#" + std::to_string(n) for an overlapping copy
// (a false -Wrestrict warning in optimised builds).
std::string TrafficLog::Tag(int connectionId) {
    return std::string("#").append(std::to_string(connectionId));
}

}  // namespace tuvako::sim
