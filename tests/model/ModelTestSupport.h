// Helpers of the model tests: a scratch folder, file bytes in and out, a ready workspace.
#pragma once

#include "model/ChannelTable.h"
#include "model/Defaults.h"
#include "model/FilePath.h"
#include "model/Workspace.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace zx::test {

// A fresh folder under the system temp folder, removed with the object.
class ScratchDir {
public:
    ScratchDir() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() /
                ("zx-model-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    // A UTF-8 name in the folder, as the program names files.
    std::string file(const std::string& name) const {
        return model::utf8Name(path_ / model::systemPath(name));
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(model::systemPath(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(model::systemPath(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline model::Today fixedToday() {
    return {2024, 3, 9, "2024-03-09"};
}

// A workspace holding the built-in defaults of band 0, the pair V310/V310 in its version
// list and a program folder without templates.
inline model::Workspace defaultWorkspace(const std::string& programFolder = "/nonexistent") {
    model::Workspace ws;
    ws.versions = {{"V310", "V310"}};
    ws.programFolder = programFolder;
    model::buildTestFrequencyDefaults(ws.state);
    model::resetDocument(ws, fixedToday());
    return ws;
}

} // namespace zx::test
