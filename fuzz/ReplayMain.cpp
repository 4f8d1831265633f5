// Stand-in for libFuzzer when the compiler has none: feeds the target the files named on the
// command line, then a fixed number of deterministic pseudo-random inputs (sizes around the
// ones the targets care about), so ctest still exercises every target.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::mt19937 random(12345);
    const std::size_t sizes[] = {0, 1, 4, 14, 16, 21, 69, 100, 8192, 14535, 14536, 14537};
    for (int round = 0; round < 2000; ++round) {
        const std::size_t size = sizes[round % std::size(sizes)] + (round % 7 == 0 ? round % 5 : 0);
        std::vector<std::uint8_t> bytes(size);
        for (std::uint8_t& b : bytes)
            b = static_cast<std::uint8_t>(random());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    return EXIT_SUCCESS;
}
