// One command/answer exchange with the simulated tracker on a pty: through SerialLink, and with plain
// blocking read/write on the same pty as the baseline; then the CPU the process spends over a run of
// 30 slot reads with the 100 ms pauses the settings read makes.
#include "SimPort.h"
#include "link/CommandFrame.h"
#include "link/SerialLink.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Rounds = 400;
constexpr std::uint32_t SlotAddress = 0x08080480;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double LinkExchangeUs(SerialLink& link) {
    QElapsedTimer clock;
    clock.start();
    link.SendFrame(DeviceCommand::ReadSlot, SlotAddress);
    if (!link.WaitForBytes(32, 2000))
        std::fprintf(stderr, "no answer through the link\n");
    return static_cast<double>(clock.nsecsElapsed()) / 1000.0;
}

double PlainExchangeUs(int fd, const QByteArray& frame) {
    QElapsedTimer clock;
    clock.start();
    tcflush(fd, TCIOFLUSH);
    if (write(fd, frame.constData(), static_cast<size_t>(frame.size())) != frame.size())
        std::fprintf(stderr, "short write\n");
    tcdrain(fd);
    char answer[64];
    int got = 0;
    while (got < 32) {
        const ssize_t n = read(fd, answer + got, sizeof answer - static_cast<size_t>(got));
        if (n <= 0)
            break;
        got += static_cast<int>(n);
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1000.0;
}

int OpenRaw(const QString& path) {
    const int fd = open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    cfsetspeed(&tio, B9600);
    tcsetattr(fd, TCSANOW, &tio);
    return fd;
}

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SimPort sim;
    QString error;
    if (!sim.Start(&error)) {
        std::fprintf(stderr, "simulated tracker: %s\n", qPrintable(error));
        return 1;
    }
    const QByteArray frame = *CommandFrame::Build(DeviceCommand::ReadSlot, SlotAddress);

    std::vector<double> plain, linked;
    const int fd = OpenRaw(sim.Path());
    for (int i = 0; i < Rounds; ++i)
        plain.push_back(PlainExchangeUs(fd, frame));
    close(fd);
    SerialLink link;
    if (!link.Open(sim.Path())) {
        std::fprintf(stderr, "link: %s\n", qPrintable(link.LastError()));
        return 1;
    }
    for (int i = 0; i < Rounds; ++i)
        linked.push_back(LinkExchangeUs(link));

    QElapsedTimer wall;
    wall.start();
    const double cpuStart = CpuSeconds();
    for (int i = 0; i < 30; ++i) {
        link.SendFrame(DeviceCommand::ReadSlot, SlotAddress);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        link.WaitForBytes(32, 4000);
    }
    const double cpu = CpuSeconds() - cpuStart;
    const double wallSeconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    link.Close();

    const double plainUs = Median(plain), linkUs = Median(linked);
    std::printf("plain_exchange_median = %.1f us\n", plainUs);
    std::printf("link_exchange_median = %.1f us\n", linkUs);
    std::printf("cpu_share_30_reads = %.2f %% (process, simulated tracker included)\n", 100.0 * cpu / wallSeconds);
    std::printf("ratio = %.2f\n", linkUs / plainUs);
    return 0;
}
