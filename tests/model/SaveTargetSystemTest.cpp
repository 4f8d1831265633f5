// The reserved device names refused by a real save where the system keeps them (Windows),
// and taken as ordinary file names elsewhere.
#include "model/AtomicFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace zx::model {
namespace {

#ifdef _WIN32
constexpr bool kDeviceNamesReserved = true;
#else
constexpr bool kDeviceNamesReserved = false;
#endif

namespace fs = std::filesystem;

fs::path freshFolder() {
    std::random_device seed;
    const fs::path folder =
        fs::temp_directory_path() / ("zx908hf-save-" + std::to_string(seed() % 1000000000));
    fs::create_directories(folder);
    return folder;
}

TEST(SaveTargetOnThisSystem, ADeviceNameIsRefusedWhereTheSystemKeepsIt) {
    const fs::path folder = freshFolder();
    const std::uint8_t bytes[] = {'V', '3', '1', '0'};
    for (const char* name : {"NUL.dat", "com1.json", "Con"}) {
        const std::string path = (folder / name).string();
        const SaveOutcome checked = checkSaveTarget(path);
        const SaveOutcome saved = writeFileSafely(path, bytes);
        if (kDeviceNamesReserved) {
            EXPECT_FALSE(checked) << name;
            EXPECT_TRUE(checked.reservedName) << name;
            EXPECT_EQ(saved.failure, SaveOutcome::NotRegularFile) << name;
            EXPECT_TRUE(saved.reservedName) << name;
        } else {
            EXPECT_TRUE(checked) << name;
            EXPECT_TRUE(saved) << name;
            EXPECT_TRUE(fs::is_regular_file(path)) << name;
        }
    }
    // Nothing but the files that were meant: no temporary file is left behind.
    std::size_t left = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        ++left;
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
    }
    EXPECT_EQ(left, kDeviceNamesReserved ? 0u : 3u);

    // A folder is refused everywhere, with nothing replaced.
    fs::create_directories(folder / "radio.dat");
    const SaveOutcome intoFolder = writeFileSafely((folder / "radio.dat").string(), bytes);
    EXPECT_EQ(intoFolder.failure, SaveOutcome::NotRegularFile);
    EXPECT_FALSE(intoFolder.reservedName);
    EXPECT_TRUE(fs::is_directory(folder / "radio.dat"));

    // An ordinary file is replaced whole.
    const std::string file = (folder / "radio2.dat").string();
    std::ofstream(file, std::ios::binary) << "old content";
    ASSERT_TRUE(writeFileSafely(file, bytes));
    std::ifstream in(file, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(content, "V310");
    in.close();
    fs::remove_all(folder);
}

} // namespace
} // namespace zx::model
