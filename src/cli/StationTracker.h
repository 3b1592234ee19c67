#pragma once

#include "cli/StationBoard.h"
#include "cli/StationStop.h"
#include "settings/SetSettings.h"

// What station mode does to every tracker: the firmware update (when a file is given), then the set
// flow with the profile (when it carries anything).
struct StationProfile {
    QString firmwareFile;  // the name as it is opened; empty: no update
    SettingsProfile settings;
    bool answerYes = false;  // the checks' questions answered Yes

    bool WritesSettings() const { return settings.file.has_value() || !settings.values.empty(); }
};

enum class StepResult { NotAsked, Succeeded, Failed, Skipped };

// How one tracker came out of station mode.
struct TrackerOutcome {
    QString port;
    QString imei;
    StepResult firmware = StepResult::NotAsked;
    StepResult settings = StepResult::NotAsked;
    bool verified = false;  // the tracker holds every slot as it was written
    double seconds = 0;
    QString failure;  // empty when it succeeded

    bool Succeeded() const { return failure.isEmpty(); }
};

// Prepares the tracker on `port` on the calling thread, on a link and under a lease of its own, and
// shows where it stands in its row of the board. It fails only at its own time-outs, or at its step
// when `stop` is given and stopped.
TrackerOutcome PrepareTracker(const QString& port, const StationProfile& profile, StationBoard& board, int row,
                              StationStop* stop = nullptr);
