// Writing 64 KB of voice files into the simulated modem that answers at once: the whole upload
// (connect, AT, deletes, free memory, creates, 256-byte writes each with its prompt and its
// acknowledgement, free memory again, close) against its floor, the same exchanges and the same
// fixed 100 ms pauses made with plain blocking calls on the same pty, in one run.
#include "BenchSupport.h"
#include "SimPort.h"
#include "link/CommandFrame.h"
#include "link/SerialLink.h"
#include "link/Timings.h"
#include "service/Servicethread.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <thread>

namespace {

constexpr int Rounds = 3;
constexpr int FileCount = 8;
constexpr int FileBytes = 8192;  // 64 KB in all
constexpr qsizetype Chunk = 256;

class SilentReporter : public JobReporter {
public:
    void ShowResult(ReportKind, const QString& message) override { std::fprintf(stderr, "%s\n", qPrintable(message)); }
    void ShowProgress(qint64, qint64) override {}
    void AddLogLine(const QString& line) override { last = line; }
    QString last;
};

QByteArray ToModem(const QByteArray& text) { return *CommandFrame::Build(DeviceCommand::ModemPassThrough, 0, text); }

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(CurrentTimings().modemPauseMs)); }

double UploadSeconds(SimPort& sim, const QStringList& files, double& cpuShare) {
    SerialLink link;
    SilentReporter reporter;
    ServiceThread job(ServiceOperation::WriteVoiceFiles, link, {false, sim.Path()}, reporter, DeviceJobLease::TryTake());
    job.Files = files;
    const bench::Usage usage = bench::Measure([&] { job.Execute(); });
    if (reporter.last != QStringLiteral("Файлы успешно записаны"))
        std::fprintf(stderr, "the upload ended with: %s\n", qPrintable(reporter.last));
    cpuShare = std::max(cpuShare, usage.CpuShare());
    return usage.wallSeconds;
}

double FloorSeconds(SimPort& sim, const QList<QByteArray>& names, const QByteArray& data) {
    return bench::Measure([&] {
               const int fd = bench::OpenRaw(sim.Path());
               const auto sendAndPause = [fd](const QByteArray& text) {
                   bench::PlainSend(fd, ToModem(text));
                   Pause();
               };
               sendAndPause("AT\r\n");
               for (const QByteArray& name : names)
                   sendAndPause("AT+FSDEL=C:\\" + name + "\r\n");
               sendAndPause("AT+FSMEM\r\n");
               sendAndPause("AT\r\n");
               for (const QByteArray& name : names)
                   sendAndPause("AT+FSCREATE=C:\\" + name + "\r\n");
               for (const QByteArray& name : names)
                   for (qsizetype offset = 0; offset < data.size(); offset += Chunk) {
                       const QByteArray piece = data.mid(offset, Chunk);
                       bench::PlainExchangeUs(fd, ToModem("AT+FSWRITE=C:\\" + name + ",1," +
                                                          QByteArray::number(piece.size()) + ",1000\r\n"), 3);
                       bench::PlainExchangeUs(fd, ToModem(piece), 6);
                   }
               sendAndPause("AT+FSMEM\r\n");
               close(fd);
           })
        .wallSeconds;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SimPort sim;
    if (!bench::StartSimulator(sim))
        return 1;
    sim.Device().SetModemPowered(true);
    const int fd = bench::OpenRaw(sim.Path());
    bench::PlainExchangeUs(fd, ToModem("ATE0\r\n"), 10);
    close(fd);

    QTemporaryDir folder;
    const QByteArray data = QByteArray("#!AMR\n") + QByteArray(FileBytes - 6, 'v');
    QStringList files;
    QList<QByteArray> names;
    for (int i = 0; i < FileCount; ++i) {
        names << "PROMPT" + QByteArray::number(i) + ".AMR";
        files << folder.filePath(QString::fromLatin1(names.last()));
        QFile file(files.last());
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
            return 1;
    }

    std::vector<double> job, floor;
    double cpuShare = 0;
    for (int round = 0; round < Rounds; ++round) {
        job.push_back(UploadSeconds(sim, files, cpuShare));
        floor.push_back(FloorSeconds(sim, names, data));
    }
    if (sim.Device().ModemFiles().value("C:\\PROMPT0.AMR") != data)
        std::fprintf(stderr, "the modem does not hold the file as sent\n");
    const double jobMs = bench::Median(job) * 1000, floorMs = bench::Median(floor) * 1000;
    std::printf("voice_upload_64k_median = %.1f ms\n", jobMs);
    std::printf("plain_exchanges_and_pauses_median = %.1f ms\n", floorMs);
    std::printf("cpu_share_upload = %.2f %%\n", cpuShare);
    std::printf("ratio = %.3f\n", jobMs / floorMs);
    return 0;
}
