// The one save of both programs on real files: links keep their place, the target keeps its
// permissions, and nothing but a regular file is ever replaced.
#include "model/AtomicFile.h"

#include "ModelTestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace zx::model {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::ScratchDir;
using test::writeBytes;

const std::vector<std::uint8_t> kNew{'n', 'e', 'w'};
const std::vector<std::uint8_t> kOld{'o', 'l', 'd'};

int entries(const fs::path& folder) {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder))
        ++n;
    return n;
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
}

TEST(AtomicFile, SavingThroughALinkWritesItsTargetAndKeepsTheLinkAndThePermissions) {
    ScratchDir dir;
    fs::create_directories(dir.path() / "real");
    fs::create_directories(dir.path() / "links");
    const std::string target = dir.file("real/radio.dat");
    writeBytes(target, kOld);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    const std::string link = dir.file("links/radio.dat");
    fs::create_symlink("../real/radio.dat", link); // relative, from the link's folder

    const SaveOutcome saved = writeFileSafely(link, kNew);
    ASSERT_TRUE(saved);
    EXPECT_EQ(fs::path(saved.target).lexically_normal(), fs::path(target).lexically_normal());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "../real/radio.dat");
    EXPECT_EQ(readBytes(target), kNew);
    EXPECT_EQ(modeOf(target) & 07777, 0640u);
    EXPECT_TRUE(S_ISREG(modeOf(target)));
    // No temporary file left anywhere.
    EXPECT_EQ(entries(dir.path() / "real"), 1);
    EXPECT_EQ(entries(dir.path() / "links"), 1);

    // A chain of links, and a link whose target does not exist yet.
    const std::string second = dir.file("links/second.dat");
    fs::create_symlink("radio.dat", second);
    ASSERT_TRUE(writeFileSafely(second, kOld));
    EXPECT_EQ(readBytes(target), kOld);
    EXPECT_TRUE(fs::is_symlink(second));
    const std::string dangling = dir.file("links/later.dat");
    fs::create_symlink("../real/later.dat", dangling);
    ASSERT_TRUE(writeFileSafely(dangling, kNew));
    EXPECT_EQ(readBytes(dir.file("real/later.dat")), kNew);
    EXPECT_TRUE(fs::is_symlink(dangling));

    // A loop of links is no file at all.
    fs::create_symlink("loop-b", dir.file("loop-a"));
    fs::create_symlink("loop-a", dir.file("loop-b"));
    EXPECT_EQ(writeFileSafely(dir.file("loop-a"), kNew).failure, SaveOutcome::WriteFailed);
    EXPECT_TRUE(fs::is_symlink(dir.file("loop-a")));
}

TEST(AtomicFile, AFolderPipeOrDeviceIsRefusedByNameAndLeftAsItIs) {
    ScratchDir dir;
    const std::string folder = dir.file("folder.dat");
    fs::create_directories(folder);
    writeBytes(dir.file("folder.dat/inside"), kOld);
    const std::string pipe = dir.file("pipe.dat");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::vector<std::string> targets{folder, pipe};
    // A device node of our own (a copy of /dev/null), where the system allows making one.
    const std::string device = dir.file("device.dat");
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        targets.push_back(device);
    const int before = entries(dir.path());

    for (const std::string& target : targets) {
        const SaveOutcome saved = writeFileSafely(target, kNew);
        EXPECT_EQ(saved.failure, SaveOutcome::NotRegularFile) << target;
        EXPECT_EQ(saveFailureMessage(saved, target, text::English),
                  "Cannot save to \"" + target +
                      "\": it is not a regular file (a folder, a device or a pipe). Nothing was "
                      "replaced.");
        EXPECT_FALSE(writeFileAtomically(target, kNew));
        EXPECT_FALSE(checkSaveTarget(target)) << target;
    }
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(readBytes(dir.file("folder.dat/inside")), kOld);
    EXPECT_TRUE(S_ISFIFO(modeOf(pipe)));
    if (targets.size() == 3)
        EXPECT_TRUE(S_ISCHR(modeOf(device)));
    EXPECT_EQ(entries(dir.path()), before) << "no temporary file beside them";

    // Through a link the message names the link and what it points at, in either language.
    const std::string link = dir.file("to-pipe.dat");
    fs::create_symlink(pipe, link);
    const SaveOutcome viaLink = writeFileSafely(link, kNew);
    EXPECT_EQ(viaLink.failure, SaveOutcome::NotRegularFile);
    EXPECT_EQ(saveFailureMessage(viaLink, link, text::Chinese),
              "无法保存到“" + link + " \xE2\x86\x92 " + pipe +
                  "”：它不是普通文件（而是文件夹、设备或管道）。没有替换任何内容。");
    EXPECT_TRUE(fs::is_symlink(link));
    // Other failures keep the message of the message table, with their cause below it.
    EXPECT_EQ(saveFailureMessage(writeFileSafely(dir.file("none/x.dat"), kNew),
                                 dir.file("none/x.dat"), text::English),
              "file error.\nThe folder of " + dir.file("none/x.dat") + " does not exist.");
}

} // namespace
} // namespace zx::model
