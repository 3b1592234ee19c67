#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

// Where one tracker of station mode stands while it is prepared.
struct TrackerState {
    QString port;
    QString imei;   // once known
    QString stage;  // what it does now
    qint64 done = 0;
    qint64 total = 0;
    bool finished = false;
};

// The trackers' states, written by their own threads and shown by the main thread.
class StationBoard {
public:
    explicit StationBoard(const QStringList& ports);

    void Update(int row, const std::function<void(TrackerState&)>& change);
    std::vector<TrackerState> Snapshot() const;
    // Returns when a state changes, when every tracker has finished, or after at most `wait`; true
    // once every tracker has finished.
    bool WaitForChange(std::chrono::milliseconds wait);

private:
    bool AllFinishedLocked() const;

    mutable std::mutex lock_;
    std::condition_variable changed_;
    std::vector<TrackerState> rows_;
    unsigned changes_ = 0;
    unsigned shown_ = 0;
};
