// The atomic save on Windows: the replaced file keeps its attributes, a read-only file is not
// replaced, and the new content is whole.
#include "model/AtomicFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <windows.h>

namespace zx::model {
namespace {

namespace fs = std::filesystem;

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

TEST(AtomicFileOnWindows, TheReplacedFileKeepsItsAttributesAndAReadOnlyOneStays) {
    const fs::path folder = fs::temp_directory_path() / "zx908hf-atomic-windows";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path file = folder / "radio.dat";
    std::ofstream(file, std::ios::binary) << "old";
    ASSERT_TRUE(
        SetFileAttributesW(file.wstring().c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));

    const std::uint8_t bytes[] = {'n', 'e', 'w'};
    const SaveOutcome saved = writeFileSafely(file.string(), bytes);
    ASSERT_TRUE(saved) << saved.error;
    EXPECT_EQ(contentOf(file), "new");
    EXPECT_TRUE(GetFileAttributesW(file.wstring().c_str()) & FILE_ATTRIBUTE_HIDDEN)
        << "the attribute of the replaced file is kept";

    // Read-only: the user meant it not to change.
    const fs::path locked = folder / "locked.dat";
    std::ofstream(locked, std::ios::binary) << "keep";
    ASSERT_TRUE(SetFileAttributesW(locked.wstring().c_str(), FILE_ATTRIBUTE_READONLY));
    const SaveOutcome refused = writeFileSafely(locked.string(), bytes);
    EXPECT_EQ(refused.failure, SaveOutcome::WriteFailed);
    EXPECT_EQ(contentOf(locked), "keep");
    SetFileAttributesW(locked.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(file.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);

    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++files;
    EXPECT_EQ(files, 2u) << "no temporary file is left behind";
    fs::remove_all(folder);
}

} // namespace
} // namespace zx::model
