#pragma once

#include <mutex>
#include <set>

class SerialLink;

// Ends every tracker's work at its step when station mode is asked to stop (Ctrl+C, kill): each
// tracker's link is closed and opens no more, so a tracker that has not connected yet never will.
// The trackers' outcomes are still gathered, so the table and the report are still written.
class StationStop {
public:
    void Stop();
    bool Requested() const;

    // A tracker's link, known to the stop while the tracker works on it.
    class Watch {
    public:
        Watch(StationStop* stop, SerialLink& link);  // no stop: nothing is watched
        ~Watch();
        Watch(const Watch&) = delete;
        Watch& operator=(const Watch&) = delete;

        bool Stopped() const { return stop_ && stop_->Requested(); }

    private:
        StationStop* const stop_;
        SerialLink& link_;
    };

private:
    mutable std::mutex lock_;
    bool requested_ = false;
    std::set<SerialLink*> links_;
};
