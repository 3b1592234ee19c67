#include "cli/StationRun.h"

#include <thread>

std::vector<TrackerOutcome> RunStation(const QStringList& ports, const StationProfile& profile,
                                       const std::function<void(const std::vector<TrackerState>&)>& show,
                                       StationStop* stop) {
    StationBoard board(ports);
    std::vector<TrackerOutcome> outcomes(static_cast<size_t>(ports.size()));
    std::vector<std::jthread> trackers;
    for (int row = 0; row < ports.size(); ++row)
        trackers.emplace_back([&, row] {
            outcomes[static_cast<size_t>(row)] = PrepareTracker(ports[row], profile, board, row, stop);
        });
    bool finished = false;
    while (!finished) {
        finished = board.WaitForChange(std::chrono::milliseconds(250));
        show(board.Snapshot());
    }
    trackers.clear();
    return outcomes;
}
