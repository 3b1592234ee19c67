#pragma once

#include "app/MainThreadGate.h"

#include <QObject>

#include <functional>
#include <vector>

class QThread;

// Every device job of every window, from its start until it has ended. Windows start their jobs
// here and keep only their busy references; the registry stops one on request and, as the program
// ends, all of them, before any window goes. Lives on the main thread.
class JobRegistry {
public:
    JobRegistry();
    ~JobRegistry();
    JobRegistry(const JobRegistry&) = delete;
    JobRegistry& operator=(const JobRegistry&) = delete;

    struct Hooks {
        std::function<void()> stop;   // makes the job end at its step (its waits end at once)
        std::function<void()> ended;  // on the main thread once it has ended, before it is deleted
        bool yields = false;          // gives way to any other job that starts (the NMEA relay)
    };

    // Starts the job's thread; the registry deletes it once it has ended.
    void Start(QThread* job, Hooks hooks);
    bool Running(const QThread* job) const;
    bool AnyRunning() const;
    // Stops the job and returns once it has ended.
    void Stop(QThread* job);
    // Stops the jobs that give way to others (the relay), before another job starts.
    void MakeWay();
    // The program is closing: nothing more reaches a window, and every job is stopped and ended.
    void StopAll();

    // How the jobs' reports reach the windows.
    MainThreadGate& Gate() { return gate_; }

private:
    struct Entry {
        quint64 id;
        QThread* job;
        Hooks hooks;
    };
    std::vector<Entry>::iterator Find(const QThread* job);
    void Ended(quint64 id);
    // False when the job's end was already handled meanwhile.
    bool WaitFor(quint64 id);

    QObject context_;
    MainThreadGate gate_{&context_};
    std::vector<Entry> entries_;
    quint64 nextId_ = 1;
};
