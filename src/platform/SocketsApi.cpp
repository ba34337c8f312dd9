#include "platform/SocketsApi.h"

namespace tuvako {
namespace {

SocketsApi& SystemTable() {
    // Never destroyed: sockets still open at program end must not outlive their table.
    static SocketsApi* const table = NewSystemSocketsApi();
    return *table;
}

std::uint64_t& Generation() {
    static std::uint64_t generation = 0;
    return generation;
}

SocketsApi*& CurrentTable() {
    static SocketsApi* table = nullptr;
    return table;
}

}  // namespace

SocketsApi& Sockets() {
    SocketsApi* table = CurrentTable();
    return table ? *table : SystemTable();
}

SocketsApi* SetSocketsApi(SocketsApi* table) {
    SocketsApi* previous = &Sockets();
    CurrentTable() = table;
    ++Generation();
    return previous;
}

std::uint64_t SocketsApiGeneration() {
    return Generation();
}

}  // namespace tuvako
