#include "cli/StationBoard.h"

#include <algorithm>

StationBoard::StationBoard(const QStringList& ports) {
    for (const QString& port : ports)
        rows_.push_back({port, {}, QStringLiteral("waiting"), 0, 0, false});
}

void StationBoard::Update(int row, const std::function<void(TrackerState&)>& change) {
    {
        std::lock_guard lock(lock_);
        change(rows_.at(static_cast<size_t>(row)));
        ++changes_;
    }
    changed_.notify_all();
}

std::vector<TrackerState> StationBoard::Snapshot() const {
    std::lock_guard lock(lock_);
    return rows_;
}

bool StationBoard::WaitForChange(std::chrono::milliseconds wait) {
    std::unique_lock lock(lock_);
    changed_.wait_for(lock, wait, [this] { return changes_ != shown_ || AllFinishedLocked(); });
    shown_ = changes_;
    return AllFinishedLocked();
}

bool StationBoard::AllFinishedLocked() const {
    return std::all_of(rows_.begin(), rows_.end(), [](const TrackerState& row) { return row.finished; });
}
