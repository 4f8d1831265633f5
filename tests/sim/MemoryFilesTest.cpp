// Loading a radio's memory from an image file or a data file.
#include "sim/MemoryFiles.h"

#include "model/RecordCodec.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace zx::sim {
namespace {

std::string tempPath(const char* name) {
    return ::testing::TempDir() + name;
}

void writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

TEST(MemoryFiles, ImageFileMustHoldExactlyTheMemory) {
    Memory memory;
    for (std::size_t i = 0; i < memory.size(); ++i)
        memory[i] = std::uint8_t(i ^ (i >> 8));
    const std::string path = tempPath("sim_image.bin");
    writeFile(path, memory.data(), memory.size());
    EXPECT_EQ(loadImageFile(path), memory);

    writeFile(path, memory.data(), memory.size() - 1);
    EXPECT_THROW(loadImageFile(path), std::runtime_error);
    std::remove(path.c_str());
    EXPECT_THROW(loadImageFile(path), std::runtime_error);
}

TEST(MemoryFiles, DataFileIsEncodedAsTheProgramWritesIt) {
    model::ConfigRecord record;
    record.channelCount = {1, 0, 0, 0, 0, 0};
    model::ChannelEntry& channel = record.channels[0];
    channel.number = 2;
    channel.inUse = 1;
    channel.rxFreq = "28015000";
    channel.txFreq = "28115000";
    channel.scan = 1;
    record.modelInfo.bandIndex = 1;
    const model::RecordBytes bytes = model::encodeRecord(record);
    const std::string path = tempPath("sim_data.dat");
    writeFile(path, bytes.data(), bytes.size());

    const Memory memory = imageFromDataFile(path);
    // Channel 2 of group A lives in the second 18-byte slot.
    const std::size_t slot = 0x10 + 18;
    EXPECT_EQ(memory[slot + 0], 0x28);
    EXPECT_EQ(memory[slot + 1], 0x01);
    EXPECT_EQ(memory[slot + 2], 0x50);
    EXPECT_EQ(memory[slot + 5], 0x28);
    EXPECT_EQ(memory[slot + 6], 0x11);
    EXPECT_EQ(memory[0x1D00], 0x02); // present bit of channel 2
    EXPECT_EQ(memory[0x1D30], 0x02); // scan bit
    EXPECT_EQ(memory[0x10], 0xFF);   // slot of channel 1 untouched
    EXPECT_EQ(memory[kBandCodeAddress], 1);
    EXPECT_EQ(memory[0x1D90], 'P');

    // The band given to the radio wins over the file's.
    EXPECT_EQ(imageFromDataFile(path, 0)[kBandCodeAddress], 0);

    writeFile(path, bytes.data(), 8192);
    EXPECT_THROW(imageFromDataFile(path), std::runtime_error);
    std::remove(path.c_str());
}

} // namespace
} // namespace zx::sim
