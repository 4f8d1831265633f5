// Loading a virtual radio's memory from image and data files.
#include "sim/MemoryFiles.h"

#include "link/RadioImage.h"
#include "model/FilePath.h"
#include "model/RecordCodec.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace zx::sim {

namespace {
std::vector<std::uint8_t> readWholeFile(const std::string& path, std::size_t expected,
                                        const char* what) {
    std::ifstream in(model::systemPath(path), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (in.bad())
        throw std::runtime_error("cannot read " + path);
    if (bytes.size() != expected)
        throw std::runtime_error(path + " is not " + what + " (" + std::to_string(bytes.size()) +
                                 " bytes, expected " + std::to_string(expected) + ")");
    return bytes;
}
} // namespace

Memory loadImageFile(const std::string& path) {
    const auto bytes = readWholeFile(path, kMemorySize, "a radio memory image");
    Memory memory;
    std::copy(bytes.begin(), bytes.end(), memory.begin());
    return memory;
}

Memory imageFromDataFile(const std::string& path, std::optional<int> bandCode) {
    const auto bytes = readWholeFile(path, model::kRecordSize, "a data file");
    const model::ConfigRecord record = model::decodeRecord(bytes);
    const int band = bandCode.value_or(record.modelInfo.bandIndex == 1 ? 1 : 0);
    link::RadioImage image;
    image.encode(record, band);
    Memory memory;
    std::copy(image.bytes.begin(), image.bytes.end(), memory.begin());
    return memory;
}

} // namespace zx::sim
