#pragma once

#include "link/Timings.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// The GPS/GLONASS module's boot protocol: synchronise with the boot ROM, write the loader,
// ask for its checksum, jump into it, then give the loader the firmware in checksummed packets. The
// steps are a table (GpsBootSteps) walked by one loop (RunGpsBoot); the synchronisation, the loader
// pieces and the firmware packets are its only special steps.

namespace GpsBoot {
constexpr std::uint32_t LoaderAddress = 0x00000C00;
constexpr std::uint32_t LoaderWords = 0x173A;
constexpr int LoaderSize = 2 * static_cast<int>(LoaderWords);  // 11892 bytes
constexpr int LoaderPiece = 10;
constexpr int PacketSize = 2048;

// A value as four bytes, most significant first.
QByteArray BigEndian(std::uint32_t value);
// The loader as it goes on the wire: the file's first 11892 bytes, zero-padded, each pair swapped.
QByteArray LoaderWire(const QByteArray& loaderFile);
// A firmware packet on the wire: the bytes, then their 16-bit sum, high byte first.
QByteArray Packet(const QByteArray& bytes);
// The end value of step 18: the firmware's length minus one (a firmware of at least one byte).
QByteArray EndValue(qint64 firmwareLength);
}  // namespace GpsBoot

// What the protocol needs from the job that runs it.
class GpsBootChannel {
public:
    virtual ~GpsBootChannel() = default;
    // Passes the bytes through to the module (command 9) in one frame of their own; every pass first
    // discards what was received. False when they could not be sent within timeoutMs.
    virtual bool Pass(const QByteArray& bytes, int timeoutMs) = 0;
    // True as soon as count bytes have arrived since the last pass; false after timeoutMs or on a stop.
    virtual bool Wait(std::uint32_t count, int timeoutMs) = 0;
    // What arrived since the last pass.
    virtual QByteArray Received() const = 0;
    // False when the job was told to stop meanwhile.
    virtual bool Pause(int ms) = 0;
    virtual bool StopRequested() const = 0;
    virtual void Log(const QString& line) = 0;
    virtual void Progress(qint64 done, qint64 total) = 0;
};

// One step of the boot protocol.
struct GpsBootStep {
    enum class Kind {
        Bytes,         // the bytes below
        Sync,          // A0, up to gpsSyncTries tries of gpsSyncTryMs
        LoaderPieces,  // the loader in pieces of 10 bytes, each answered by as many bytes
        Pause,         // no bytes, only the pause
        EndValue,      // the firmware's length minus one
        Packets,       // the firmware packets, each answered by one byte
    };
    int number;
    Kind kind;
    const char* logLine;      // logged before the step's bytes; nullptr for none
    QByteArray bytes;         // Kind::Bytes
    int Timings::*pauseMs;    // after the bytes, before the wait; nullptr for none
    std::uint32_t awaited;    // answer bytes waited for (per piece or packet); 0 for no wait
    const char* failure;      // the text a time-out fails with; nullptr when the outcome does not matter
};

const std::vector<GpsBootStep>& GpsBootSteps();

struct GpsBootOutcome {
    enum class End { Done, Failed, Stopped };
    End end = End::Done;
    int step = 0;             // the step that failed or was stopped
    QString failure;          // the failure text the step logs
    QString detail;           // what came back, for service staff; may be empty
    bool linkStaysOpen = false;  // a packet time-out leaves the link open
};

// Runs the protocol with the loader file's bytes and the whole firmware (not empty).
GpsBootOutcome RunGpsBoot(GpsBootChannel& channel, const QByteArray& loaderFile, const QByteArray& firmware);

// Names a boot step for the line a stopped update logs.
QString GpsBootStepName(int step);
