// Appending one second of the module's stream (960 bytes) to an engineering log that already holds
// a long session, against setting the whole text again, in one run.
#include "BenchSupport.h"

#include "service/ui/LogAppend.h"

#include <QApplication>
#include <QPlainTextEdit>

namespace {

constexpr int ChunkBytes = 960;
constexpr qsizetype FillStep = 1 << 20;

QString SecondOfStream(int second) {
    QString chunk;
    while (chunk.size() < ChunkBytes)
        chunk += QStringLiteral("$GNGGA,%1,5545.1234,N,03737.5678,E,1,12,0.8,150.2,M,14.0,M,,*4B\n")
                     .arg(120000 + second % 60);
    return chunk.left(ChunkBytes);
}

// Hours of earlier stream, added a megabyte at a time.
void FillTo(QPlainTextEdit& log, qsizetype bytes) {
    QString block;
    for (int second = 0; block.size() < FillStep; ++second)
        block += SecondOfStream(second);
    while (log.document()->characterCount() < bytes)
        AppendToLog(&log, block);
}

// Median milliseconds of one append, over `times` seconds of stream.
template <typename Append>
double AppendMs(QPlainTextEdit& log, int times, Append&& append) {
    std::vector<double> ms;
    for (int second = 0; second < times; ++second) {
        const QString chunk = SecondOfStream(second);
        QElapsedTimer clock;
        clock.start();
        append(log, chunk);
        QCoreApplication::processEvents();
        ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    return bench::Median(ms);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QPlainTextEdit log;
    log.resize(324, 482);
    log.show();

    const auto append = [](QPlainTextEdit& into, const QString& chunk) { AppendToLog(&into, chunk); };
    const auto setWhole = [](QPlainTextEdit& into, const QString& chunk) {
        into.setPlainText(into.toPlainText() + chunk);
    };
    const qsizetype largeLog = qEnvironmentVariableIntValue("NMEA_APPEND_MB") > 0
                                   ? qsizetype{qEnvironmentVariableIntValue("NMEA_APPEND_MB")} << 20
                                   : qsizetype{50} << 20;
    FillTo(log, largeLog / 10);
    const double atTenth = AppendMs(log, 50, append);
    FillTo(log, largeLog);
    const double atFull = AppendMs(log, 50, append);
    const double whole = AppendMs(log, 1, setWhole);
    const int mb = static_cast<int>(largeLog >> 20);

    std::printf("append_at_%.1fMB = %.3f ms\n", mb / 10.0, atTenth);
    std::printf("append_at_%dMB = %.3f ms\n", mb, atFull);
    std::printf("set_whole_text_at_%dMB = %.1f ms\n", mb, whole);
    std::printf("ratio = %.5f\n", atFull / whole);
    return 0;
}
