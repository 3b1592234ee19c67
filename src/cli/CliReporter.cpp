#include "cli/CliReporter.h"

#include "cli/Terminal.h"

namespace {
constexpr int BarWidth = 40;
}

CliReporter::CliReporter(QTextStream& err) : err_(err), terminal_(StandardErrorIsTerminal()) {}

void CliReporter::ShowResult(ReportKind, const QString& message) {
    EndBar();
    err_ << message << "\n";
    err_.flush();
}

void CliReporter::ShowProgress(qint64 done, qint64 total) {
    const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 100;
    if (terminal_) {
        const int filled = percent * BarWidth / 100;
        err_ << "\r[" << QString(filled, QLatin1Char('#')) << QString(BarWidth - filled, QLatin1Char(' ')) << "] "
             << done << "/" << total;
        barShown_ = true;
    } else if (percent != lastPercent_) {
        err_ << done << "/" << total << "\n";
    }
    lastPercent_ = percent;
    err_.flush();
}

void CliReporter::HideProgress() { EndBar(); }

void CliReporter::AddLogLine(const QString& line) {
    EndBar();
    err_ << line << "\n";
    err_.flush();
}

void CliReporter::EndBar() {
    if (barShown_)
        err_ << "\n";
    barShown_ = false;
}
