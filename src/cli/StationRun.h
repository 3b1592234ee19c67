#pragma once

#include "cli/StationTracker.h"

#include <functional>

// Prepares the trackers on all the ports at once, each on a thread of its own, and returns their
// outcomes in the ports' order once every one has finished. Meanwhile the calling thread passes the
// board's states to `show` whenever one changes (and at least every quarter of a second). A `stop`
// ends every tracker at its step.
std::vector<TrackerOutcome> RunStation(const QStringList& ports, const StationProfile& profile,
                                       const std::function<void(const std::vector<TrackerState>&)>& show,
                                       StationStop* stop = nullptr);
