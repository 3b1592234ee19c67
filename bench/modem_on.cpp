// Starting the modem from the engineering menu against the simulated modem: the whole operation
// (connect, command 3, "AT", "ATE0", close) against its floor, the same three exchanges made with
// plain blocking calls on the same pty, in one run.
#include "BenchSupport.h"
#include "SimPort.h"
#include "link/CommandFrame.h"
#include "link/SerialLink.h"
#include "service/Servicethread.h"

#include <QCoreApplication>

namespace {

constexpr int Rounds = 30;

class SilentReporter : public JobReporter {
public:
    void ShowResult(ReportKind, const QString& message) override { std::fprintf(stderr, "%s\n", qPrintable(message)); }
    void ShowProgress(qint64, qint64) override {}
};

double ModemOnMs(SimPort& sim) {
    SerialLink link;
    SilentReporter reporter;
    ServiceThread job(ServiceOperation::ModemOn, link, {false, sim.Path()}, reporter, DeviceJobLease::TryTake());
    QElapsedTimer clock;
    clock.start();
    if (!job.Execute())
        std::fprintf(stderr, "the modem did not start\n");
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

double FloorMs(SimPort& sim) {
    const QByteArray start = *CommandFrame::Build(DeviceCommand::StartModem, 0);
    const QByteArray attention = *CommandFrame::Build(DeviceCommand::ModemPassThrough, 0, "AT\r\n");
    const QByteArray echoOff = *CommandFrame::Build(DeviceCommand::ModemPassThrough, 0, "ATE0\r\n");
    QElapsedTimer clock;
    clock.start();
    const int fd = bench::OpenRaw(sim.Path());
    bench::PlainExchangeUs(fd, start, 1);
    bench::PlainExchangeUs(fd, attention, 6);
    bench::PlainExchangeUs(fd, echoOff, 6);
    close(fd);
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SimPort sim;
    if (!bench::StartSimulator(sim))
        return 1;
    std::vector<double> job, floor;
    for (int round = 0; round < Rounds; ++round) {
        job.push_back(ModemOnMs(sim));
        floor.push_back(FloorMs(sim));
    }
    const double jobMs = bench::Median(job), floorMs = bench::Median(floor);
    std::printf("modem_on_median = %.2f ms\n", jobMs);
    std::printf("plain_exchanges_median = %.2f ms\n", floorMs);
    std::printf("ratio = %.2f\n", jobMs / floorMs);
    return 0;
}
