// The simulate verb as a process: it prints the device, links it, serves, and on SIGTERM
// removes its link and dumps the memory; it refuses to replace a regular file.
#include "sim/SerialClient.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zx::sim {
namespace {

using test::Bytes;
using test::bytesOf;
using test::SerialClient;

const std::string kCli = std::string(ZX_PROGRAM_DIR) + "/zx908hf-cli";

struct Process {
    pid_t pid = -1;
    FILE* out = nullptr;

    explicit Process(std::vector<std::string> args) {
        int pipe[2];
        if (::pipe(pipe) != 0)
            throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipe[0]);
        args.insert(args.begin(), {kCli, "simulate"});
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid, kCli.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            throw std::runtime_error("spawn " + kCli);
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipe[1]);
        out = ::fdopen(pipe[0], "r");
    }
    ~Process() {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        if (out)
            std::fclose(out);
    }
    std::string line() {
        char buffer[512] = {};
        if (!std::fgets(buffer, sizeof buffer, out))
            return {};
        std::string text(buffer);
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        return text;
    }
    int finish(int signal) {
        if (signal)
            ::kill(pid, signal);
        int status = 0;
        ::waitpid(pid, &status, 0);
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

std::string readLink(const std::string& path) {
    char buffer[512];
    const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, std::size_t(n)) : std::string();
}

TEST(SimulateVerb, ServesThroughItsLinkAndDumpsOnTerminate) {
    const std::string dir = ::testing::TempDir();
    const std::string link = dir + "sim_verb_radio";
    const std::string dump = dir + "sim_verb_dump.bin";
    ::unlink(dump.c_str());
    ::unlink(link.c_str());
    ASSERT_EQ(::symlink("/nonexistent", link.c_str()), 0); // a stale link is replaced

    Process radio({"--link", link, "--dump", dump, "--band", "1", "--model", "8901"});
    const std::string device = radio.line();
    ASSERT_FALSE(device.empty());
    EXPECT_EQ(readLink(link), device);
    {
        SerialClient port(link);
        EXPECT_EQ(port.exchange(bytesOf("PROGRAM"), 1), Bytes{0x06});
        const Bytes identity = port.exchange({0x02}, 14);
        ASSERT_EQ(identity.size(), 14u);
        EXPECT_EQ(Bytes(identity.begin(), identity.begin() + 6), bytesOf("P8901\x01"));
        // 57 00 05 01 | 3C | 00+05+01+3C = 42
        EXPECT_EQ(port.exchange({'W', 0x00, 0x05, 0x01, 0x3C, 0x42}, 1), Bytes{0x06});
    }
    EXPECT_EQ(radio.finish(SIGTERM), 0);

    struct stat info {};
    EXPECT_NE(::lstat(link.c_str(), &info), 0) << "link left behind";
    std::ifstream in(dump, std::ios::binary);
    const Bytes memory((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(memory.size(), 8192u);
    EXPECT_EQ(memory[5], 0x3C);
    EXPECT_EQ(memory[0x1D87], 1);
    std::remove(dump.c_str());
}

TEST(SimulateVerb, RefusesToReplaceAFileAndRejectsBadOptions) {
    const std::string file = ::testing::TempDir() + "sim_verb_file";
    std::ofstream(file) << "keep me";
    EXPECT_EQ(Process({"--link", file}).finish(0), 3);
    std::ifstream in(file);
    std::string content;
    std::getline(in, content);
    EXPECT_EQ(content, "keep me");
    std::remove(file.c_str());

    EXPECT_EQ(Process({"--drop-answer", "read:x"}).finish(0), 2);
    EXPECT_EQ(Process({"--surplus", "bogus"}).finish(0), 2);
    EXPECT_EQ(Process({"--band", "2"}).finish(0), 2);
    EXPECT_EQ(Process({"--split", "0"}).finish(0), 2);
    EXPECT_EQ(Process({"--image", "/nonexistent/image.bin"}).finish(0), 3);
}

} // namespace
} // namespace zx::sim
