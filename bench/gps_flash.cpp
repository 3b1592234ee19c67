// The GPS/GLONASS module update with a 64 KB firmware into the simulated module answering at once: the
// whole job (default timings, without the window's 2000 ms pause) against its floor, the job's fixed
// pauses plus the same frames and awaited answers exchanged with plain blocking calls on the
// same pty, in one run.
#include "BenchSupport.h"
#include "SimPort.h"
#include "firmware/GpsBoot.h"
#include "firmware/Gpsupdatethread.h"
#include "link/CommandFrame.h"
#include "link/SerialLink.h"
#include "link/Timings.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>
#include <QTemporaryDir>

#include <poll.h>

namespace {

constexpr int Rounds = 3;
constexpr int FirmwareSize = 64 * 1024;

class SilentReporter : public JobReporter {
public:
    void ShowResult(ReportKind, const QString& message) override { std::fprintf(stderr, "%s\n", qPrintable(message)); }
    void ShowProgress(qint64, qint64) override {}
    void AddLogLine(const QString& line) override { last = line; }
    QString last;
};

QByteArray Pattern(int size, int seed) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7 + seed);
    return bytes;
}

// The fixed pauses: 50 + 50 after the module's stop and start, 8 × 200 after the sentences, 1000 before
// the checksum request, 7 × 200 after the loader's commands and end bytes.
double FixedPausesMs() {
    const Timings& t = CurrentTimings();
    return 2.0 * t.gpsModulePauseMs + 8.0 * t.gpsSentencePauseMs + t.gpsChecksumPauseMs + 7.0 * t.gpsLoaderPauseMs;
}

double JobMs(SimPort& sim, const QString& loader, const QString& firmware) {
    SerialLink link;
    SilentReporter reporter;
    GPSUpdateThread job(link, {false, sim.Path()}, reporter, DeviceJobLease::TryTake());
    job.LoaderName = loader;
    job.FirmwareName = firmware;
    QElapsedTimer clock;
    clock.start();
    if (!job.Execute())
        std::fprintf(stderr, "the update failed: %s\n", qPrintable(reporter.last));
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    link.Close();
    return ms;
}

// One plain exchange; a missing answer is reported rather than waited for forever.
void Exchange(int fd, const QByteArray& frame, int answer, const char* what) {
    bench::PlainSend(fd, frame);
    int got = 0;
    char buffer[4096];
    while (got < answer) {
        pollfd in{fd, POLLIN, 0};
        if (poll(&in, 1, 4000) <= 0) {
            std::fprintf(stderr, "no answer to %s: %d of %d bytes\n", what, got, answer);
            return;
        }
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return;
        got += static_cast<int>(n);
    }
}

// The same frames with plain blocking calls and no pauses; each answer the module gives is read, also
// those the job does not wait for, so none is left on the line for the next exchange.
double PlainMs(SimPort& sim, const QByteArray& loaderFile, const QByteArray& firmware) {
    const auto own = [](DeviceCommand command, std::uint32_t value) { return *CommandFrame::Build(command, value); };
    const auto pass = [](const QByteArray& bytes) { return *CommandFrame::Build(DeviceCommand::GPSPassThrough, 0, bytes); };
    const auto hex = [](const char* text) { return QByteArray::fromHex(text); };
    // A frame nothing answers is waited for until the device has it: the next send's purge would
    // otherwise drop it from the terminal before the device read it.
    const auto unanswered = [&sim](int fd, const QByteArray& frame) {
        const int before = sim.Device().FrameCount();
        bench::PlainSend(fd, frame);
        sim.Device().WaitForFrames(before + 1, 1000);
    };
    QElapsedTimer clock;
    clock.start();
    const int fd = bench::OpenRaw(sim.Path());
    Exchange(fd, own(DeviceCommand::StopGPS, 0), 1, "line 88");
    Exchange(fd, own(DeviceCommand::StartGPS, 0), 1, "line 89");
    for (int i = 0; i < 5; ++i)
        unanswered(fd, pass("$PMTK180*3B\r\n"));
    for (int i = 0; i < 3; ++i)
        unanswered(fd, pass("$PMTK251,115200*1F\r\n"));
    Exchange(fd, own(DeviceCommand::SetGPSBaud, 115200), 1, "line 94");
    const QByteArray address = GpsBoot::BigEndian(GpsBoot::LoaderAddress);
    const QByteArray size = GpsBoot::BigEndian(GpsBoot::LoaderWords);
    for (const char* step : {"A0", "0A", "50", "05", "A1"})
        Exchange(fd, pass(hex(step)), 1, "line 98");
    Exchange(fd, pass(address), 4, "line 99");
    Exchange(fd, pass(size), 4, "line 100");
    const QByteArray wire = GpsBoot::LoaderWire(loaderFile);
    for (int offset = 0; offset < wire.size(); offset += GpsBoot::LoaderPiece) {
        const QByteArray piece = wire.mid(offset, GpsBoot::LoaderPiece);
        Exchange(fd, pass(piece), static_cast<int>(piece.size()), "line 104");
    }
    Exchange(fd, pass(hex("A4")), 1, "line 106");
    Exchange(fd, pass(address), 4, "line 107");
    Exchange(fd, pass(size), 6, "line 108");
    Exchange(fd, pass(hex("A8")), 1, "line 109");
    Exchange(fd, pass(address), 24, "line 110");
    Exchange(fd, pass(hex("D3")), 1, "line 111");
    Exchange(fd, pass(hex("01")), 1, "line 112");
    unanswered(fd, pass(GpsBoot::BigEndian(0)));
    Exchange(fd, pass(GpsBoot::EndValue(firmware.size())), 2, "line 114");
    Exchange(fd, pass(hex("D5")), 1, "line 115");
    Exchange(fd, pass(GpsBoot::BigEndian(GpsBoot::PacketSize)), 2, "line 116");
    for (int offset = 0; offset < firmware.size(); offset += GpsBoot::PacketSize)
        Exchange(fd, pass(GpsBoot::Packet(firmware.mid(offset, GpsBoot::PacketSize))), 1, "line 118");
    unanswered(fd, pass(hex("D9")));
    unanswered(fd, pass(hex("D9")));
    unanswered(fd, own(DeviceCommand::SetGPSBaud, 9600));
    close(fd);
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SimPort sim;
    if (!bench::StartSimulator(sim))
        return 1;
    QTemporaryDir dir;
    const QByteArray loader = Pattern(GpsBoot::LoaderSize, 1), firmware = Pattern(FirmwareSize, 2);
    const QString loaderPath = Write(dir, "loader.bin", loader), firmwarePath = Write(dir, "firmware.bin", firmware);

    std::vector<double> job, plain;
    for (int round = 0; round < Rounds; ++round) {
        job.push_back(JobMs(sim, loaderPath, firmwarePath));
        if (sim.Device().GpsFirmwareImage() != firmware)
            std::fprintf(stderr, "the module kept another image\n");
        plain.push_back(PlainMs(sim, loader, firmware));
        // The last frames may still be on their way to the device (outside the measured time).
        QThread::msleep(200);
        if (sim.Device().GpsFirmwareImage() != firmware || sim.Device().GpsBaud() != 9600)
            std::fprintf(stderr, "the plain exchanges did not update the module\n");
    }
    const double jobMs = bench::Median(job), plainMs = bench::Median(plain), pausesMs = FixedPausesMs();
    const double floorMs = pausesMs + plainMs;
    std::printf("firmware_size = %d bytes\n", FirmwareSize);
    std::printf("gps_flash_median = %.1f ms\n", jobMs);
    std::printf("fixed_pauses = %.1f ms\n", pausesMs);
    std::printf("plain_exchanges_median = %.1f ms\n", plainMs);
    std::printf("floor = %.1f ms\n", floorMs);
    std::printf("ratio = %.3f\n", jobMs / floorMs);
    return 0;
}
