// One command/answer exchange with the simulated tracker on a pty: through SerialLink, and with plain
// blocking read/write on the same pty as the baseline; the send alone (purge, clear, write, drain)
// through the link; then the CPU the process spends over a run of 30 slot reads with the 100 ms
// pauses the settings read makes.
#include "BenchSupport.h"
#include "SimPort.h"
#include "link/CommandFrame.h"
#include "link/SerialLink.h"

#include <QCoreApplication>

#include <thread>

namespace {

constexpr int Rounds = 400;
constexpr std::uint32_t SlotAddress = 0x08080480;

struct LinkTimes {
    double sendUs = 0;
    double exchangeUs = 0;
};

LinkTimes LinkExchange(SerialLink& link) {
    QElapsedTimer clock;
    clock.start();
    link.SendFrame(DeviceCommand::ReadSlot, SlotAddress);
    const double sendUs = static_cast<double>(clock.nsecsElapsed()) / 1000.0;
    if (!link.WaitForBytes(32, 2000))
        std::fprintf(stderr, "no answer through the link\n");
    return {sendUs, static_cast<double>(clock.nsecsElapsed()) / 1000.0};
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SimPort sim;
    if (!bench::StartSimulator(sim))
        return 1;
    const QByteArray frame = *CommandFrame::Build(DeviceCommand::ReadSlot, SlotAddress);
    SerialLink link;
    std::vector<double> plain, linked, sends;
    // Alternating rounds, so both see the same machine.
    for (int round = 0; round < Rounds / 50; ++round) {
        const int fd = bench::OpenRaw(sim.Path());
        for (int i = 0; i < 50; ++i)
            plain.push_back(bench::PlainExchangeUs(fd, frame, 32));
        close(fd);
        if (!link.Open(sim.Path())) {
            std::fprintf(stderr, "link: %s\n", qPrintable(link.LastError()));
            return 1;
        }
        for (int i = 0; i < 50; ++i) {
            const LinkTimes times = LinkExchange(link);
            sends.push_back(times.sendUs);
            linked.push_back(times.exchangeUs);
        }
        link.Close();
    }

    link.Open(sim.Path());
    const bench::Usage usage = bench::Measure([&] {
        for (int i = 0; i < 30; ++i) {
            link.SendFrame(DeviceCommand::ReadSlot, SlotAddress);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            link.WaitForBytes(32, 4000);
        }
    });
    link.Close();

    const double plainUs = bench::Median(plain), linkUs = bench::Median(linked);
    std::printf("plain_exchange_median = %.1f us\n", plainUs);
    std::printf("link_exchange_median = %.1f us\n", linkUs);
    std::printf("link_send_median = %.1f us\n", bench::Median(sends));
    std::printf("cpu_share_30_reads = %.2f %%\n", usage.CpuShare());
    std::printf("ratio = %.2f\n", linkUs / plainUs);
    return 0;
}
