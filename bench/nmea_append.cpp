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

void FillTo(QPlainTextEdit& log, qsizetype bytes) {
    const QString block = QString(FillStep - 1, QLatin1Char('x')) + QLatin1Char('\n');
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
    FillTo(log, 5 << 20);
    const double at5 = AppendMs(log, 50, append);
    FillTo(log, 50 << 20);
    const double at50 = AppendMs(log, 50, append);
    const double whole = AppendMs(log, 3, setWhole);

    std::printf("append_5MB = %.3f ms\n", at5);
    std::printf("append_50MB = %.3f ms\n", at50);
    std::printf("set_whole_text_50MB = %.1f ms\n", whole);
    std::printf("ratio = %.4f\n", at50 / whole);
    return 0;
}
