#include "cli/StationView.h"

#include <algorithm>

namespace {

using namespace Qt::Literals::StringLiterals;

QString LiveLine(const TrackerState& state, bool terminal) {
    QString line = u"%1  %2  %3"_s.arg(state.port, state.imei.isEmpty() ? u"-"_s : state.imei, state.stage);
    if (state.total > 0) {
        const qint64 percent = state.done * 100 / state.total;
        line += terminal ? u" %1/%2 (%3%)"_s.arg(state.done).arg(state.total).arg(percent)
                         : u" %1%"_s.arg(percent / 10 * 10);
    }
    return line;
}

QStringList Row(const TrackerOutcome& outcome) {
    return {outcome.port, outcome.imei,
            StepText(outcome.firmware),
            StepText(outcome.settings),
            outcome.verified ? u"yes"_s : u"no"_s,
            QString::number(outcome.seconds, 'f', 1),
            QString(outcome.failure).replace(u"\n"_s, u"; "_s)};
}

}  // namespace

void StationLiveLines::Show(const std::vector<TrackerState>& states) {
    QStringList lines;
    for (const TrackerState& state : states)
        lines << LiveLine(state, terminal_);
    if (terminal_)
        Redraw(lines);
    else
        PrintChanged(lines);
    err_.flush();
    shown_ = lines;
}

void StationLiveLines::Redraw(const QStringList& lines) {
    if (!shown_.isEmpty())
        err_ << "\x1b[" << shown_.size() << "A";
    for (const QString& line : lines)
        err_ << "\r\x1b[2K" << line << "\n";
}

void StationLiveLines::PrintChanged(const QStringList& lines) {
    for (qsizetype row = 0; row < lines.size(); ++row)
        if (row >= shown_.size() || shown_[row] != lines[row])
            err_ << lines[row] << "\n";
}

QString StepText(StepResult result) {
    switch (result) {
    case StepResult::Succeeded: return u"ok"_s;
    case StepResult::Failed: return u"failed"_s;
    case StepResult::Skipped: return u"skipped"_s;
    case StepResult::NotAsked: break;
    }
    return u"-"_s;
}

QString StationTable(const std::vector<TrackerOutcome>& outcomes) {
    std::vector<QStringList> rows{{u"port"_s, u"IMEI"_s, u"firmware"_s, u"settings"_s, u"verified"_s, u"seconds"_s,
                                   u"message"_s}};
    for (const TrackerOutcome& outcome : outcomes)
        rows.push_back(Row(outcome));
    std::vector<qsizetype> widths(rows.front().size(), 0);
    for (const QStringList& row : rows)
        for (qsizetype column = 0; column < row.size(); ++column)
            widths[static_cast<size_t>(column)] = std::max(widths[static_cast<size_t>(column)], row[column].size());
    QString table;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype column = 0; column < row.size(); ++column)
            line += row[column].leftJustified(widths[static_cast<size_t>(column)] + 2);
        table += line.trimmed() + u"\n"_s;
    }
    return table;
}
