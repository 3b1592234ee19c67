#pragma once

#include "SimDevice.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

// Serves a SimDevice on a pseudo-terminal: the program under test opens Path() as its serial port.
// A thread of its own sleeps in poll() until bytes arrive, an answer falls due, the module's next second
// comes or it is told to stop, so an idle line costs nothing. While the module is on, the port asks the
// device once per module tick for what it sends by itself. Works on Linux and macOS; elsewhere Start() fails.
class SimPort {
public:
    SimPort();
    ~SimPort();
    SimPort(const SimPort&) = delete;
    SimPort& operator=(const SimPort&) = delete;

    // Plugs a line in: a fresh pseudo-terminal, served until the line is closed. The device keeps its
    // memory, flash and record across lines. False (with the reason) when no terminal could be had or
    // a line is already served.
    bool Start(QString* error = nullptr);
    // Pulls the cable now: answers not yet sent are lost, and the other side sees the line hang up.
    void CloseLine();
    // Ends serving; the same as pulling the cable. Safe to call at any time, also twice.
    void Stop();
    bool IsServing() const;
    // The terminal the program under test opens, such as /dev/pts/5; the last one after the line closed.
    QString Path() const;

    // Sends bytes nobody asked for, after any answers still waiting. Ignored when no line is served.
    void SendUnasked(const QByteArray& bytes);
    // How often the module's second comes round; shorter in tests, so they need not wait for seconds.
    void SetModuleTick(std::chrono::milliseconds period);
    static constexpr std::chrono::milliseconds DefaultModuleTick{1000};
    // Unasked output is dropped while this much already waits unread in the terminal: a line nobody
    // reads loses what the device sends, rather than handing stale seconds to whoever opens it later.
    static constexpr int MaxUnreadUnasked = 2048;

    SimDevice& Device() { return device_; }
    void SetFaults(const SimFaults& faults) { device_.SetFaults(faults); }

private:
    struct Outgoing {
        QByteArray bytes;
        std::chrono::steady_clock::time_point due;
    };

    void Serve();
    bool TakeIn();
    void SendDue();
    int MsUntilDue();
    int MsUntilTick();
    void RunModuleTick();
    int UnreadInTerminal() const;
    void Queue(const QByteArray& bytes, std::chrono::milliseconds delay);
    void Wake();
    void DrainWake();
    void RestWhileHungUp();
    void CloseFds();

    SimDevice device_;
    std::mutex controlLock_;  // Start and Stop, one at a time
    std::thread thread_;
    int master_ = -1;
    int slaveKeeper_ = -1;  // keeps the line up while the other side has the terminal closed
    int wakeRead_ = -1;
    int wakeWrite_ = -1;

    mutable std::mutex lock_;  // what follows
    QString path_;
    std::deque<Outgoing> outgoing_;
    bool stopRequested_ = false;
    bool serving_ = false;
    std::chrono::milliseconds tickPeriod_ = DefaultModuleTick;

    std::optional<std::chrono::steady_clock::time_point> nextTick_;  // the serve thread's own
};
