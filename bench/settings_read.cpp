// A full settings read from the simulated tracker on a pty, next to the floor the protocol sets: the
// same 30 slot reads with their 100 ms pauses, done with plain blocking calls on the same pty.
#include "BenchSupport.h"
#include "SimPort.h"
#include "link/CommandFrame.h"
#include "link/SerialLink.h"
#include "link/Timings.h"
#include "settings/Rwsettingsthread.h"

#include <QCoreApplication>
#include <QThread>

namespace {

class SilentReporter : public SettingsTransferReporter {
public:
    void ShowResult(ReportKind, const QString& message) override { std::fprintf(stderr, "%s\n", qPrintable(message)); }
    void ShowProgress(qint64, qint64) override {}
    void ShowProgressWindow(const QString&) override {}
    void HideProgressWindow() override {}
    void TraceReply(const QByteArray&) override {}
    void ShowReadSettings(const DeviceSettings&) override {}
};

void PlainRead(const QString& path) {
    const int fd = bench::OpenRaw(path);
    for (int position = 0; position < SettingsSlots::Count; ++position) {
        const auto frame = CommandFrame::Build(DeviceCommand::ReadSlot, SettingsSlots::AtPosition(position).address);
        bench::PlainSend(fd, *frame);
        QThread::msleep(static_cast<unsigned long>(CurrentTimings().readSlotPauseMs));
        bench::PlainReceive(fd, 32);
    }
    bench::PlainExchangeUs(fd, *CommandFrame::Build(DeviceCommand::ReadSlot, 0x080802C0), 32);
    close(fd);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SimPort sim;
    if (!sim.Start())
        return 1;
    SerialLink link;
    SilentReporter reporter;
    std::vector<double> floors, reads;
    double cpuShare = 0;
    for (int round = 0; round < 3; ++round) {
        floors.push_back(bench::Measure([&] { PlainRead(sim.Path()); }).wallSeconds);
        const bench::Usage usage = bench::Measure([&] {
            RWSettingsThread read(RWSettingsThread::ReadMode, link, {false, sim.Path()}, {}, reporter,
                                  DeviceJobLease::TryTake());
            read.Execute();
        });
        reads.push_back(usage.wallSeconds);
        cpuShare = std::max(cpuShare, usage.CpuShare());
    }
    const double floor = bench::Median(floors), read = bench::Median(reads);
    std::printf("protocol_floor = %.3f s\n", floor);
    std::printf("settings_read = %.3f s\n", read);
    std::printf("cpu_share_read = %.2f %% (highest of 3)\n", cpuShare);
    std::printf("ratio = %.3f\n", read / floor);
    return 0;
}
