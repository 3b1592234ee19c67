// Without libFuzzer: a bounded run of pseudo-random inputs through the same entry point, among them
// settings records and blocks close to valid ones, so the deeper paths are reached too.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main() {
    std::mt19937 random(20240611);
    constexpr int Runs = 3000;
    for (int run = 0; run < Runs; ++run) {
        const std::size_t sizes[] = {0, 3, 117, 118, 119, 928, random() % 1200};
        std::vector<uint8_t> input(sizes[run % 7]);
        for (uint8_t& byte : input) {
            // Mostly digits, blanks, signs and zeros: what the parsers look for.
            const unsigned pick = random() % 8;
            byte = pick < 3 ? static_cast<uint8_t>('0' + random() % 10)
                 : pick == 3 ? ' '
                 : pick == 4 ? '-'
                 : pick == 5 ? 0
                             : static_cast<uint8_t>(random());
        }
        if (!input.empty() && run % 2 == 0)
            input[0] = 1;  // the settings-file kind
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%d inputs\n", Runs);
    return 0;
}
