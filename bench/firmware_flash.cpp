// A 256 KiB firmware image flashed into the simulated tracker over a pty, next to the floor of the
// same exchanges (erase and 128 pieces of 2048 bytes) done with plain blocking calls on the same pty.
// Twice: with a device in this process that answers at once (what the program adds to the
// exchanges), and with kova-sim in a process of its own taking 5 ms to program each piece, as a flash
// does (the CPU share of this process during a real update).
#include "BenchSupport.h"
#include "SimPort.h"
#include "firmware/McUpdateThread.h"
#include "link/CommandFrame.h"
#include "link/SerialLink.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int ImageSize = 256 * 1024;
constexpr int PieceSize = 2048;

class SilentReporter : public JobReporter {
public:
    void ShowResult(ReportKind kind, const QString& message) override {
        if (kind == ReportKind::Failure)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    }
    void ShowProgress(qint64, qint64) override {}
};

void PlainFlash(const QString& path, const QByteArray& image) {
    const int fd = bench::OpenRaw(path);
    bench::PlainExchangeUs(fd, *CommandFrame::Build(DeviceCommand::EraseFirmware, 0), 1);
    for (int offset = 0; offset < image.size(); offset += PieceSize)
        bench::PlainExchangeUs(fd, *CommandFrame::Build(DeviceCommand::WriteFirmware, 0x08006400u + offset,
                                                        image.mid(offset, PieceSize)), 1);
    close(fd);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SimPort sim;
    if (!sim.Start())
        return 1;
    QTemporaryDir dir;
    QByteArray image(ImageSize, '\0');
    for (int i = 0; i < ImageSize; ++i)
        image[i] = static_cast<char>(i * 31);
    const QString file = dir.filePath("image.fmw");
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write(QByteArray(15, 'h') + image);
    out.close();

    SerialLink link;
    SilentReporter reporter;
    const auto run = [&](const QString& path, int rounds, const char* name) {
        std::vector<double> floors, flashes;
        double cpuShare = 0;
        for (int round = 0; round < rounds; ++round) {
            floors.push_back(bench::Measure([&] { PlainFlash(path, image); }).wallSeconds);
            const bench::Usage usage = bench::Measure([&] {
                MCUpdateThread update(link, {false, path}, file, reporter, DeviceJobLease::TryTake());
                update.Execute();
                link.Close();
            });
            flashes.push_back(usage.wallSeconds);
            cpuShare = std::max(cpuShare, usage.CpuShare());
        }
        const double floor = bench::Median(floors), flash = bench::Median(flashes);
        std::printf("%s_plain_exchanges = %.3f s\n", name, floor);
        std::printf("%s_firmware_flash = %.3f s\n", name, flash);
        std::printf("%s_cpu_share = %.2f %% (highest of %d)\n", name, cpuShare, rounds);
        return flash / floor;
    };
    const double instantRatio = run(sim.Path(), 15, "instant_device_in_process");
    if (sim.Device().FirmwareImage() != image)
        std::fprintf(stderr, "the device holds another image\n");

    QProcess kovaSim;
    kovaSim.start(QCoreApplication::applicationDirPath() + "/../kova-sim", {"--delay", "5"});
    if (!kovaSim.waitForReadyRead(10000)) {
        std::fprintf(stderr, "kova-sim did not start\n");
        return 1;
    }
    const QString path = QString::fromLocal8Bit(kovaSim.readLine()).trimmed();
    const double pacedRatio = run(path, 3, "device_5ms_per_piece");
    kovaSim.terminate();
    kovaSim.waitForFinished();
    std::printf("instant_device_ratio = %.3f\n", instantRatio);
    std::printf("ratio = %.3f\n", pacedRatio);
    return 0;
}
