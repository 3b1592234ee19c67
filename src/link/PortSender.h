#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <chrono>
#include <mutex>

// The port's descriptor as a sending thread uses it. Whoever closes the port revokes the sender first;
// every step of a send runs under the same lock and looks at the revocation, so a send never reaches a
// descriptor that was closed, or one that the number now names after somebody opened a file or port.
// No step blocks for longer than a few milliseconds, so revoking never waits behind a stuck send.
class PortSender {
public:
    using Deadline = std::chrono::steady_clock::time_point;
    // HungUp: the port failed because the device went away (the cable was pulled).
    enum class Outcome { Sent, TimedOut, PortFailed, HungUp, Revoked };

    explicit PortSender(qintptr handle) : handle_(handle) {}

    // Discards what the driver holds in both directions; false once revoked.
    bool Purge();
    // Writes the bytes and waits until they have left the port, or until the deadline.
    Outcome Send(const QByteArray& bytes, Deadline deadline);
    // From now on every send fails at its next step without touching the descriptor.
    void Revoke();

private:
    Outcome Write(const QByteArray& bytes, Deadline deadline);
    Outcome Drain(Deadline deadline);
    Outcome Failure() const;

    std::mutex lock_;
    const qintptr handle_;
    bool revoked_ = false;
};
