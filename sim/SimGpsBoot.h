#pragma once

#include <QByteArray>
#include <QStringList>

#include <cstdint>
#include <optional>

// How the module's boot side misbehaves in one update (one boot session, from "$PMTK180" to the restart
// or the next power cycle), so that a second update after a failure can show that it works.
struct SimGpsBootFaults {
    bool noSync = false;                  // the boot ROM never answers the synchronisation byte A0
    std::optional<int> silentAtPacket;    // the loader answers nothing from firmware packet k (1-based) on
    std::optional<int> answerCountStep;   // at this step of the boot protocol every answer has answerCount bytes
    int answerCount = 0;
};

// The GPS/GLONASS module's boot ROM and, once it has jumped, the loader it received, as one state machine
// fed with the bytes of the module's line (at 115200). The boot ROM answers the hand-shake bytes, echoes
// commands, addresses, sizes and loader bytes, keeps the loader (its words swapped back to little-endian),
// answers the checksum request and the jump; the loader takes the written range and the packet size,
// checks every packet's sum and answers it with one byte, and on the end bytes keeps the firmware image
// and asks for a restart into normal mode. What it cannot make sense of it notes as an error.
class SimGpsBoot {
public:
    static constexpr std::uint32_t LoaderAddress = 0x00000C00;
    static constexpr std::uint32_t LoaderWords = 0x173A;
    static constexpr int LoaderBytes = 2 * static_cast<int>(LoaderWords);
    static constexpr int ReportSize = 20;
    static constexpr char PacketGood = 0x01;
    static constexpr char PacketBad = 0x0E;

    // A new boot session: the boot ROM waits for its synchronisation byte.
    void Start(const SimGpsBootFaults& faults);
    // The bytes of one pass-through frame and what the module answers to them.
    QByteArray Receive(const QByteArray& bytes);
    // True once the loader has taken its second end byte: the module restarts into normal mode.
    bool RestartDue() const { return stage_ == Stage::Restart; }

    // The last loader written completely into the module, as it lies in its memory (little-endian
    // words), and the last firmware image the loader received and kept on its end bytes.
    QByteArray Loader() const { return loader_; }
    QByteArray Image() const { return image_; }
    int PacketSumErrors() const { return sumErrors_; }
    // What the module could not make sense of since the last call.
    QStringList TakeErrors();

private:
    enum class Stage {
        SyncA0, Sync0A, Sync50, Sync05, RomCommand, RomAddress, RomSize, RomData,
        LoaderCommand, LoaderRange, LoaderPacketSize, LoaderPackets, LoaderEnded, Restart,
    };
    enum class RomCommand : std::uint8_t { None = 0, Write = 0xA1, Checksum = 0xA4, Jump = 0xA8 };

    // The step of the boot protocol (1 to 23) a frame arriving now belongs to (for the answer-count fault).
    int StepNow() const;
    QByteArray Take(char byte);
    QByteArray TakeWord(char byte, std::uint32_t& word, QByteArray (SimGpsBoot::*done)());
    QByteArray RomAddressDone();
    QByteArray RomSizeDone();
    QByteArray RangeDone();
    QByteArray PacketSizeDone();
    QByteArray PacketByte(char byte);
    std::uint16_t LoaderSum() const;
    void Error(const QString& what) { errors_ << what; }

    Stage stage_ = Stage::SyncA0;
    SimGpsBootFaults faults_;
    RomCommand command_ = RomCommand::None;
    QByteArray word_;             // bytes of a four-byte value so far
    std::uint32_t address_ = 0;
    std::uint32_t size_ = 0;
    QByteArray written_;          // loader bytes as they arrive (big-endian words)
    bool loaderComplete_ = false;
    std::uint32_t rangeStart_ = 0;
    std::uint32_t rangeEnd_ = 0;
    bool rangeTaken_ = false;
    std::uint32_t packetSize_ = 0;
    QByteArray received_;         // firmware bytes taken so far
    QByteArray packet_;           // the packet being received, data and sum
    int packets_ = 0;             // packets taken, answered or not
    bool silent_ = false;         // the loader has hung (fault)

    QByteArray loader_;
    QByteArray image_;
    int sumErrors_ = 0;
    QStringList errors_;
};
