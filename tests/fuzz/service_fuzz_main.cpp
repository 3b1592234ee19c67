// Without libFuzzer: a bounded run of pseudo-random inputs made of the pieces config.ini files and NMEA
// streams are made of, with random bytes between them, so the deeper paths are reached too.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main() {
    static const char* const pieces[] = {
        "[config]", "[Config]\r\n", "[other]\n", "Directory=", "PHONE=", "FirmwarePath=", "DAPath =", "; note\n",
        "\r\n", "\n", "=", "\xEF\xBB\xBF", "C:\\\xC3\xEE\xEB\xEE\xF1", "\xD0\x93\xD0\xBE",
        "$GNGGA,123456.00,5545.07464,N,03737.10538,E,1,14,0.9,150.2,M,14.5,M,,",
        "$GNRMC,123456.00,A,5545.07464,N,03737.10538,E,0.05,,110624,,,A", "$GPGSA,A,3,02,05,07,13,,,,,,,,,1.6,0.9,1.3",
        "$GLGSA,A,2,65,66,,,,,,,,,,,1.6,0.9,1.3", "$GNGSA,A,3,70,,,,,,,,,,,,1.6,0.9,1.3",
        "$GPGSV,2,1,05,02,45,120,40,05,30,060,38,07,70,200,45,13,20,300,33", "$GPGSV,2,2,05,15,55,090,42",
        "$GLGSV,1,1,01,65,40,100,", "*", ",", "$", "99999999.9,", "-", ".",
    };
    constexpr std::size_t pieceCount = sizeof(pieces) / sizeof(pieces[0]);
    std::mt19937 random(20240612);
    constexpr int Runs = 1500;
    for (int run = 0; run < Runs; ++run) {
        std::string input;
        const unsigned parts = random() % 40;
        for (unsigned part = 0; part < parts; ++part) {
            if (random() % 4 == 0)
                input += static_cast<char>(random());
            else
                input += pieces[random() % pieceCount];
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
    std::printf("%d inputs\n", Runs);
    return 0;
}
