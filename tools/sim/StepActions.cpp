#include "sim/StepActions.h"

#include "sim/DemoCatalog.h"
#include "sim/MessageComposer.h"
#include "sim/SimConnection.h"
#include "sim/TrafficLog.h"

#include <random>

namespace tuvako::sim {

bool StepActions::ActsOnConnection(StepKind kind) {
    switch (kind) {
        case StepKind::Send:
        case StepKind::SendPlain:
        case StepKind::SendPartial:
        case StepKind::SendGarbage:
        case StepKind::SendLong:
        case StepKind::Burst:
        case StepKind::Swipe:
        case StepKind::List:
        case StepKind::Customer:
        case StepKind::Greet:
        case StepKind::Close:
        case StepKind::Reset:
            return true;
        default:
            return false;
    }
}

void StepActions::Perform(const ScenarioStep& step, SimConnection& connection) {
    switch (step.kind) {
        case StepKind::Send:
            connection.SendRecord(step.text);
            break;
        case StepKind::SendPlain:
            connection.SendPlainLine(step.text);
            break;
        case StepKind::SendPartial:
            connection.SendRaw(step.text, TrafficLog::Printable(step.text) + " (no line end)");
            break;
        case StepKind::SendGarbage:
            connection.SendRaw(GarbageLine(std::size_t(step.count)),
                               std::to_string(step.count) + " bytes of garbage and a line end");
            break;
        case StepKind::SendLong:
            connection.SendRaw(LongLine(std::size_t(step.count)),
                               "a line of " + std::to_string(step.count) + " Base64 letters");
            break;
        case StepKind::Burst:
            connection.SendBurst(step.text, step.count);
            break;
        case StepKind::Swipe:
            Swipe(connection, std::max<std::int64_t>(step.count, 0));
            break;
        case StepKind::List:
            SendChoiceList(connection);
            break;
        case StepKind::Customer:
            Swipe(connection, std::max<std::int64_t>(step.count, 0));
            SendChoiceList(connection);
            break;
        case StepKind::Greet:
            Greet(connection, step.text);
            break;
        case StepKind::Close:
            connection.Close();
            break;
        case StepKind::Reset:
            connection.Reset();
            break;
        default:
            break;
    }
}

std::string StepActions::GarbageLine(std::size_t count, std::uint32_t seed) {
    std::minstd_rand random(seed);
    std::string bytes(count + 2, '\0');
    for (std::size_t i = 0; i < count; ++i) bytes[i] = char(random() & 0xFF);
    bytes[count] = '\r';
    bytes[count + 1] = '\n';
    return bytes;
}

std::string StepActions::LongLine(std::size_t count) {
    static constexpr char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string bytes(count + 2, '\0');
    for (std::size_t i = 0; i < count; ++i) bytes[i] = alphabet[i % 64];
    bytes[count] = '\r';
    bytes[count + 1] = '\n';
    return bytes;
}

void StepActions::Swipe(SimConnection& connection, std::int64_t oneBased) {
    const auto& members = DemoCatalog::Members();
    std::size_t index = 0;
    if (oneBased > 0) {
        index = std::size_t(oneBased - 1) % members.size();
        connection.SetCurrentMember(index);
    } else {
        index = connection.TakeNextMember(members.size());
    }
    connection.SendRecord(MessageComposer::CardMessage(members[index], connection.TerminalId()));
}

void StepActions::SendChoiceList(SimConnection& connection) {
    for (const AnsiString& record :
         MessageComposer::ChoiceList(DemoCatalog::Choices(), connection.TerminalId()))
        connection.SendRecord(record);
}

void StepActions::Greet(SimConnection& connection, const AnsiString& text) {
    AnsiString shown = text;
    if (shown.empty()) {
        const auto member = connection.CurrentMember();
        shown = member ? DemoCatalog::Members()[*member].greeting : AnsiString("Tervetuloa");
    }
    connection.SendRecord(MessageComposer::NoticeMessage(shown, "0", connection.TerminalId()));
}

}  // namespace tuvako::sim
