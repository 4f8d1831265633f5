// The command parser: commands split at any byte, garbage skipped, programming mode gating,
// and write frames with a bad checksum consumed whole.
#include "sim/CommandParser.h"

#include <gtest/gtest.h>
#include <string_view>

namespace zx::sim {
namespace {

using Kinds = std::vector<CommandKind>;

// Feeds bytes one at a time, collecting every command, switching programming mode on at
// "PROGRAM" the way the radio does.
struct Feeder {
    CommandParser parser;
    bool programmingMode = false;
    std::vector<ParsedCommand> commands;

    void feed(std::initializer_list<int> bytes) {
        for (int b : bytes)
            push(std::uint8_t(b));
    }
    void feed(std::string_view text) {
        for (char c : text)
            push(std::uint8_t(c));
    }
    void push(std::uint8_t byte) {
        parser.append(byte);
        collect();
    }
    void collect() {
        while (auto command = parser.next(programmingMode)) {
            if (command->kind == CommandKind::Program)
                programmingMode = true;
            commands.push_back(*command);
        }
    }
    Kinds kinds() const {
        Kinds out;
        for (const auto& c : commands)
            out.push_back(c.kind);
        return out;
    }
};

TEST(CommandParser, OutsideProgrammingModeOnlyTheHandshakeCounts) {
    Feeder f;
    f.feed({0x02, 0x06, 'E', 'R', 0x1D, 0x80, 0x40});
    EXPECT_TRUE(f.commands.empty());
    EXPECT_EQ(f.parser.garbageBytes(), 7);
    f.feed("PROGRAM");
    f.feed({0x02, 0x06, 'E'});
    EXPECT_EQ(f.kinds(), (Kinds{CommandKind::Program, CommandKind::Identify, CommandKind::Ack,
                                CommandKind::End}));
}

TEST(CommandParser, HandshakeCompletesOnlyWithItsLastByte) {
    Feeder f;
    f.feed("PROGRA");
    EXPECT_TRUE(f.commands.empty());
    EXPECT_TRUE(f.parser.hasPartial());
    f.feed("M");
    EXPECT_EQ(f.kinds(), Kinds{CommandKind::Program});
    EXPECT_FALSE(f.parser.hasPartial());
}

TEST(CommandParser, GarbageBeforeAndInsideAHandshakeIsSkipped) {
    Feeder f;
    // A broken hand-shake followed by a good one: the parser restarts at every byte.
    f.feed("xyPROGRXPPROGRAM");
    EXPECT_EQ(f.kinds(), Kinds{CommandKind::Program});
    // In mode, an unfinished hand-shake does not swallow the identify request after it.
    f.feed("PRO");
    f.feed({0x02});
    EXPECT_EQ(f.kinds(), (Kinds{CommandKind::Program, CommandKind::Identify}));
}

TEST(CommandParser, BlockHeadersAreDecodedAndChecked) {
    Feeder f;
    f.feed("PROGRAM");
    f.feed({'R', 0x1D, 0x80, 0x40});
    ASSERT_EQ(f.commands.size(), 2u);
    EXPECT_EQ(f.commands[1].kind, CommandKind::Read);
    EXPECT_EQ(f.commands[1].address, 0x1D80);
    EXPECT_EQ(f.commands[1].length, 0x40);

    // A read past the end of the memory, or of length 0, is no command: resynchronise and
    // find the identify request behind it.
    f.feed({'R', 0x1F, 0xF0, 0x20, 0x02});
    f.feed({'R', 0x00, 0x10, 0x00, 0x06});
    EXPECT_EQ(f.kinds(), (Kinds{CommandKind::Program, CommandKind::Read, CommandKind::Identify,
                                CommandKind::Ack}));
    // The last byte of the memory can be read.
    f.feed({'R', 0x1F, 0xFF, 0x01});
    EXPECT_EQ(f.commands.back().kind, CommandKind::Read);
    EXPECT_EQ(f.commands.back().address, 0x1FFF);
}

TEST(CommandParser, WriteFrameIsTakenWholeWithItsChecksum) {
    Feeder f;
    f.feed("PROGRAM");
    // 00 10 03 | 0A 0B 0C | checksum 00+10+03+0A+0B+0C = 0x34
    f.feed({'W', 0x00, 0x10, 0x03, 0x0A});
    f.feed({0x0B, 0x0C});
    EXPECT_EQ(f.commands.size(), 1u);
    f.feed({0x34});
    ASSERT_EQ(f.commands.size(), 2u);
    const ParsedCommand& w = f.commands[1];
    EXPECT_EQ(w.kind, CommandKind::Write);
    EXPECT_EQ(w.address, 0x0010);
    EXPECT_EQ(w.data, (std::vector<std::uint8_t>{0x0A, 0x0B, 0x0C}));
    EXPECT_TRUE(w.checksumOk);
}

TEST(CommandParser, WriteFrameWithBadChecksumDoesNotLeakItsDataAsCommands) {
    Feeder f;
    f.feed("PROGRAM");
    // Data bytes 06 and 02 would be an acknowledge and an identify request if the frame
    // were re-read byte by byte.
    f.feed({'W', 0x00, 0x20, 0x02, 0x06, 0x02, 0x99});
    ASSERT_EQ(f.commands.size(), 2u);
    EXPECT_EQ(f.commands[1].kind, CommandKind::Write);
    EXPECT_FALSE(f.commands[1].checksumOk);
    EXPECT_FALSE(f.parser.hasPartial());
}

TEST(CommandParser, GivingUpAPartialCommandReparsesItsTail) {
    Feeder f;
    f.feed("PROGRAM");
    // A stray "R" makes the next two commands look like its address bytes.
    f.feed({'R', 0x02, 0x06});
    EXPECT_EQ(f.commands.size(), 1u);
    ASSERT_TRUE(f.parser.hasPartial());
    f.parser.skipLeadByte();
    f.collect();
    EXPECT_EQ(f.kinds(), (Kinds{CommandKind::Program, CommandKind::Identify, CommandKind::Ack}));
    EXPECT_FALSE(f.parser.hasPartial());
}

} // namespace
} // namespace zx::sim
