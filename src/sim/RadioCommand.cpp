// Names and descriptions of the virtual radio's commands and outcomes.
#include "sim/RadioCommand.h"

#include <cstdio>

namespace zx::sim {

namespace {
constexpr std::array<std::string_view, kCommandKinds> kNames = {"program", "identify", "ack",
                                                                "read",    "write",    "end"};
} // namespace

std::string_view commandName(CommandKind kind) {
    return kNames[static_cast<std::size_t>(kind)];
}

std::optional<CommandKind> commandFromName(std::string_view name) {
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == name)
            return static_cast<CommandKind>(i);
    return std::nullopt;
}

std::string_view outcomeName(Outcome outcome) {
    switch (outcome) {
    case Outcome::Answered:
        return "answered";
    case Outcome::Dropped:
        return "dropped";
    case Outcome::BadChecksum:
        return "bad checksum";
    case Outcome::Silent:
        return "silent";
    }
    return "?";
}

std::string describe(const LogEntry& entry) {
    std::string text(commandName(entry.kind));
    if (entry.kind == CommandKind::Read || entry.kind == CommandKind::Write) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, " %04X+%d", entry.address, entry.length);
        text += buffer;
    }
    text += ": ";
    text += outcomeName(entry.outcome);
    return text;
}

} // namespace zx::sim
