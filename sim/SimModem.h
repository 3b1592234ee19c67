#pragma once

#include "SimFaults.h"

#include <QByteArray>
#include <QList>

// A voice call the modem was told to place.
struct SimCall {
    QByteArray number;  // as dialled, blanks and all
    bool hungUp = false;

    bool operator==(const SimCall&) const = default;
};

// The GSM modem behind command 8. It hears the bytes the microcontroller passes on, takes them as
// command lines ended by a carriage return (line feeds are ignored) and gives back what it answers:
// with echo on, the line itself first, then "\r\nOK\r\n" or "\r\nERROR\r\n". Switched off it hears
// nothing. Only the device calls it, under the device's lock.
class SimModem {
public:
    static constexpr int MaxLineLength = 556;  // longer lines keep their first characters only
    static constexpr char Imei[] = "860000000000001";  // the one the tracker's factory settings carry

    QByteArray Receive(const QByteArray& bytes);

    // Switching on starts the modem afresh: echo on, nothing half-heard, its start-up count again.
    void SetPowered(bool on);
    bool Powered() const { return powered_; }
    void SetFaults(const SimFaults& faults) { faults_ = faults; }
    bool Echo() const { return echo_; }
    // Every command line heard while on, without its terminator, answered or not.
    const QList<QByteArray>& Lines() const { return lines_; }
    // Every call placed since the device was made, in order.
    const QList<SimCall>& Calls() const { return calls_; }

private:
    using Handler = QByteArray (SimModem::*)(const QByteArray& argument);
    struct Command {
        const char* name;    // what follows "AT", upper case
        bool takesArgument;  // the name is a prefix and the rest of the line is the argument
        Handler run;
    };
    static const Command Commands[];

    QByteArray Answer(const QByteArray& line);
    bool StillStarting(const QByteArray& line);
    QByteArray Execute(const QByteArray& line);

    QByteArray Attention(const QByteArray& argument);
    QByteArray EchoOff(const QByteArray& argument);
    QByteArray EchoOn(const QByteArray& argument);
    QByteArray SerialNumber(const QByteArray& argument);
    QByteArray Dial(const QByteArray& argument);
    QByteArray HangUp(const QByteArray& argument);

    bool powered_ = false;
    bool echo_ = true;
    int attentionsHeard_ = 0;  // "AT" lines since switched on, counted while it starts
    QByteArray line_;
    QList<QByteArray> lines_;
    QList<SimCall> calls_;
    SimFaults faults_;
};
