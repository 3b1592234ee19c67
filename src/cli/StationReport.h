#pragma once

#include "cli/StationTracker.h"

// The station table as CSV (UTF-8, a header row, one row per tracker), saved in one step: a failed
// save keeps the old file. False with the reason when it cannot be saved.
QString StationCsv(const std::vector<TrackerOutcome>& outcomes);
bool SaveStationReport(const QString& path, const std::vector<TrackerOutcome>& outcomes, QString* why);
