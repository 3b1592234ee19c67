#pragma once

#include "cli/StationTracker.h"

#include <QTextStream>

// One line per tracker while station mode runs: redrawn in place on a terminal, and otherwise a plain
// line whenever a tracker's line changes (progress in steps of a tenth).
class StationLiveLines {
public:
    StationLiveLines(QTextStream& err, bool terminal) : err_(err), terminal_(terminal) {}
    void Show(const std::vector<TrackerState>& states);

private:
    void Redraw(const QStringList& lines);
    void PrintChanged(const QStringList& lines);

    QTextStream& err_;
    const bool terminal_;
    QStringList shown_;
};

QString StepText(StepResult result);

// The table printed at the end: port, IMEI, firmware, settings, verified, seconds, message.
QString StationTable(const std::vector<TrackerOutcome>& outcomes);
