// The atomic save on Windows: the replaced file keeps its attributes, a read-only file is not
// replaced, and the new content is whole.
#include "model/AtomicFile.h"
#include "model/FilePath.h"

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

// The program names files in UTF-8; on a western system a Chinese name is outside the ANSI
// code page, and still the file is made, replaced and refused under its own name.
TEST(AtomicFileOnWindows, ANameOutsideTheCodePageIsSavedUnderItsOwnName) {
    const fs::path folder = fs::temp_directory_path() / L"zx908hf-\u4fe1\u9053";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path file = folder / L"\u4fe1\u9053\u8868.dat";
    const std::string name = utf8Name(file);
    EXPECT_EQ(name.substr(name.size() - 13), "\xe4\xbf\xa1\xe9\x81\x93\xe8\xa1\xa8.dat");

    const std::uint8_t first[] = {'o', 'n', 'e'};
    ASSERT_TRUE(writeFileSafely(name, first));
    EXPECT_EQ(contentOf(file), "one") << "made under its wide name";
    const std::uint8_t second[] = {'t', 'w', 'o'};
    ASSERT_TRUE(writeFileSafely(name, second));
    EXPECT_EQ(contentOf(file), "two") << "and replaced there";
    EXPECT_EQ(checkSaveTarget(utf8Name(folder)).failure, SaveOutcome::NotRegularFile)
        << "a folder so named is seen as one";
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}

} // namespace
} // namespace zx::model
