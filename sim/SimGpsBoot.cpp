#include "SimGpsBoot.h"

#include <QtEndian>

namespace {

constexpr char LoaderHello = '\xD3';
constexpr char LoaderRangeCommand = '\x01';
constexpr char LoaderPacketSizeCommand = '\xD5';
constexpr char LoaderEnd = '\xD9';
constexpr std::uint32_t MaxPacketSize = 4096;
constexpr std::uint32_t MaxImageSize = 16 * 1024 * 1024;

// The loader's answer to the written range and to the packet size.
const QByteArray LoaderOk("OK");
// What the boot ROM reports after the jump: twenty bytes naming what now runs.
QByteArray JumpReport() {
    QByteArray report("KOVA-SIM LOADER 1.00");
    report.resize(SimGpsBoot::ReportSize, '\0');
    return report;
}

std::uint32_t BigEndian(const QByteArray& four) { return qFromBigEndian<std::uint32_t>(four.constData()); }

QString Hex(std::uint32_t value) { return QStringLiteral("0x%1").arg(value, 8, 16, QLatin1Char('0')).toUpper(); }

}  // namespace

void SimGpsBoot::Start(const SimGpsBootFaults& faults) {
    // The module's memory (the loader last written, the image last kept) stays; the session starts afresh.
    QByteArray loader = loader_, image = image_;
    const int sumErrors = sumErrors_;
    *this = SimGpsBoot();
    loader_ = loader;
    image_ = image;
    sumErrors_ = sumErrors;
    faults_ = faults;
}

QStringList SimGpsBoot::TakeErrors() {
    QStringList taken;
    taken.swap(errors_);
    return taken;
}

int SimGpsBoot::StepNow() const {
    switch (stage_) {
    case Stage::SyncA0: return 1;
    case Stage::Sync0A: return 2;
    case Stage::Sync50: return 3;
    case Stage::Sync05: return 4;
    case Stage::RomCommand: return 0;  // decided by the command byte
    case Stage::RomAddress:
        return command_ == RomCommand::Write ? 6 : command_ == RomCommand::Checksum ? 11 : 14;
    case Stage::RomSize: return command_ == RomCommand::Write ? 7 : 12;
    case Stage::RomData: return 8;
    case Stage::LoaderCommand: return 0;
    case Stage::LoaderRange: return word_.isEmpty() ? 17 : 18;
    case Stage::LoaderPacketSize: return 20;
    case Stage::LoaderPackets: return 21;
    case Stage::LoaderEnded: return 23;
    case Stage::Restart: return 0;
    }
    return 0;
}

QByteArray SimGpsBoot::Receive(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {};
    int step = StepNow();
    if (step == 0) {
        const char first = bytes[0];
        if (stage_ == Stage::RomCommand)
            step = first == '\xA1' ? 5 : first == '\xA4' ? 9 : first == '\xA8' ? 13 : 0;
        else if (stage_ == Stage::LoaderCommand)
            step = first == LoaderHello ? 15 : first == LoaderRangeCommand ? 16 : first == LoaderPacketSizeCommand ? 19
                 : first == LoaderEnd ? 22 : 0;
    }
    QByteArray answer;
    for (const char byte : bytes)
        answer += Take(byte);
    if (faults_.answerCountStep && *faults_.answerCountStep == step)
        answer.resize(faults_.answerCount, '\0');
    return answer;
}

QByteArray SimGpsBoot::Take(char byte) {
    const auto value = static_cast<std::uint8_t>(byte);
    switch (stage_) {
    case Stage::SyncA0:
        // Whatever else is on the line before the first A0 is noise to the boot ROM.
        if (value != 0xA0)
            return {};
        stage_ = Stage::Sync0A;
        return faults_.noSync ? QByteArray() : QByteArray(1, '\x5F');
    case Stage::Sync0A:
        if (value == 0xA0)  // a synchronisation try the other side did not see answered
            return faults_.noSync ? QByteArray() : QByteArray(1, '\x5F');
        if (value != 0x0A || faults_.noSync)
            break;
        stage_ = Stage::Sync50;
        return QByteArray(1, '\xF5');
    case Stage::Sync50:
        if (value != 0x50)
            break;
        stage_ = Stage::Sync05;
        return QByteArray(1, '\xAF');
    case Stage::Sync05:
        if (value != 0x05)
            break;
        stage_ = Stage::RomCommand;
        return QByteArray(1, '\xFA');
    case Stage::RomCommand:
        if (value != 0xA1 && value != 0xA4 && value != 0xA8) {
            Error(QStringLiteral("boot ROM: unknown command 0x%1").arg(value, 2, 16, QLatin1Char('0')));
            return {};
        }
        command_ = static_cast<RomCommand>(value);
        word_.clear();
        stage_ = Stage::RomAddress;
        return QByteArray(1, byte);
    case Stage::RomAddress:
        word_.append(byte);
        return word_.size() < 4 ? QByteArray(1, byte) : QByteArray(1, byte) + RomAddressDone();
    case Stage::RomSize:
        word_.append(byte);
        return word_.size() < 4 ? QByteArray(1, byte) : QByteArray(1, byte) + RomSizeDone();
    case Stage::RomData:
        written_.append(byte);
        if (written_.size() == static_cast<qsizetype>(size_) * 2) {
            loader_ = written_;
            for (qsizetype i = 0; i + 1 < loader_.size(); i += 2)
                std::swap(loader_[i], loader_[i + 1]);
            loaderComplete_ = true;
            stage_ = Stage::RomCommand;
        }
        return QByteArray(1, byte);
    case Stage::LoaderCommand:
        switch (byte) {
        case LoaderHello:
            return QByteArray(1, byte);
        case LoaderRangeCommand:
            word_.clear();
            stage_ = Stage::LoaderRange;
            return QByteArray(1, byte);
        case LoaderPacketSizeCommand:
            word_.clear();
            stage_ = Stage::LoaderPacketSize;
            return QByteArray(1, byte);
        case LoaderEnd:
            if (rangeTaken_ && received_.size() == static_cast<qsizetype>(rangeEnd_ - rangeStart_) + 1) {
                image_ = received_;
            } else {
                Error(QStringLiteral("loader: end bytes after %1 of %2 firmware bytes")
                          .arg(received_.size())
                          .arg(rangeTaken_ ? qint64(rangeEnd_ - rangeStart_) + 1 : 0));
            }
            stage_ = Stage::LoaderEnded;
            return {};
        default:
            Error(QStringLiteral("loader: unknown command 0x%1").arg(value, 2, 16, QLatin1Char('0')));
            return {};
        }
    case Stage::LoaderRange:
        word_.append(byte);
        return word_.size() < 8 ? QByteArray() : RangeDone();
    case Stage::LoaderPacketSize:
        word_.append(byte);
        return word_.size() < 4 ? QByteArray() : PacketSizeDone();
    case Stage::LoaderPackets:
        return PacketByte(byte);
    case Stage::LoaderEnded:
        if (byte == LoaderEnd) {
            stage_ = Stage::Restart;
            return {};
        }
        Error(QStringLiteral("loader: 0x%1 instead of the second end byte").arg(value, 2, 16, QLatin1Char('0')));
        return {};
    case Stage::Restart:
        return {};
    }
    // A hand-shake byte out of turn: the boot ROM starts its synchronisation again.
    Error(QStringLiteral("boot ROM: 0x%1 out of the hand-shake").arg(value, 2, 16, QLatin1Char('0')));
    stage_ = Stage::SyncA0;
    return {};
}

QByteArray SimGpsBoot::RomAddressDone() {
    address_ = BigEndian(word_);
    word_.clear();
    if (address_ != LoaderAddress)
        Error(QStringLiteral("boot ROM: address %1 instead of %2").arg(Hex(address_), Hex(LoaderAddress)));
    if (command_ != RomCommand::Jump) {
        stage_ = Stage::RomSize;
        return {};
    }
    if (!loaderComplete_ || address_ != LoaderAddress) {
        Error(QStringLiteral("boot ROM: jump to %1 without a loader written there").arg(Hex(address_)));
        stage_ = Stage::RomCommand;
        return {};
    }
    stage_ = Stage::LoaderCommand;
    return JumpReport();
}

QByteArray SimGpsBoot::RomSizeDone() {
    size_ = BigEndian(word_);
    word_.clear();
    if (size_ != LoaderWords)
        Error(QStringLiteral("boot ROM: size %1 words instead of %2").arg(size_).arg(LoaderWords));
    if (command_ == RomCommand::Checksum) {
        stage_ = Stage::RomCommand;
        const std::uint16_t sum = LoaderSum();
        QByteArray answer(2, '\0');
        qToBigEndian<std::uint16_t>(sum, answer.data());
        return answer;
    }
    if (size_ == 0 || size_ > MaxImageSize / 2) {
        stage_ = Stage::RomCommand;
        return {};
    }
    written_.clear();
    loaderComplete_ = false;
    stage_ = Stage::RomData;
    return {};
}

// The sum of the loader's 16-bit words as they lie in memory.
std::uint16_t SimGpsBoot::LoaderSum() const {
    std::uint16_t sum = 0;
    for (qsizetype i = 0; i + 1 < loader_.size(); i += 2)
        sum = static_cast<std::uint16_t>(sum + qFromLittleEndian<std::uint16_t>(loader_.constData() + i));
    return sum;
}

QByteArray SimGpsBoot::RangeDone() {
    rangeStart_ = BigEndian(word_.left(4));
    rangeEnd_ = BigEndian(word_.mid(4));
    word_.clear();
    stage_ = Stage::LoaderCommand;
    if (rangeStart_ != 0 || rangeEnd_ < rangeStart_ || rangeEnd_ >= MaxImageSize) {
        Error(QStringLiteral("loader: range %1 to %2 refused").arg(Hex(rangeStart_), Hex(rangeEnd_)));
        rangeTaken_ = false;
        return {};
    }
    rangeTaken_ = true;
    received_.clear();
    return LoaderOk;
}

QByteArray SimGpsBoot::PacketSizeDone() {
    packetSize_ = BigEndian(word_);
    word_.clear();
    if (!rangeTaken_ || packetSize_ == 0 || packetSize_ > MaxPacketSize) {
        Error(QStringLiteral("loader: packet size %1 refused").arg(packetSize_));
        stage_ = Stage::LoaderCommand;
        return {};
    }
    packet_.clear();
    packets_ = 0;
    stage_ = Stage::LoaderPackets;
    return LoaderOk;
}

QByteArray SimGpsBoot::PacketByte(char byte) {
    if (silent_)
        return {};
    packet_.append(byte);
    const qsizetype remaining = static_cast<qsizetype>(rangeEnd_ - rangeStart_) + 1 - received_.size();
    const qsizetype n = std::min<qsizetype>(packetSize_, remaining);
    if (packet_.size() < n + 2)
        return {};
    std::uint16_t sum = 0;
    for (qsizetype i = 0; i < n; ++i)
        sum = static_cast<std::uint16_t>(sum + static_cast<std::uint8_t>(packet_[i]));
    const std::uint16_t sent = qFromBigEndian<std::uint16_t>(packet_.constData() + n);
    const bool good = sum == sent;
    if (!good) {
        ++sumErrors_;
        Error(QStringLiteral("loader: packet %1 sum 0x%2, its bytes add up to 0x%3")
                  .arg(packets_ + 1)
                  .arg(sent, 4, 16, QLatin1Char('0'))
                  .arg(sum, 4, 16, QLatin1Char('0')));
    }
    received_.append(packet_.left(n));
    packet_.clear();
    ++packets_;
    if (received_.size() == static_cast<qsizetype>(rangeEnd_ - rangeStart_) + 1)
        stage_ = Stage::LoaderCommand;
    if (faults_.silentAtPacket && packets_ >= *faults_.silentAtPacket) {
        silent_ = true;
        stage_ = Stage::LoaderPackets;
        return {};
    }
    return QByteArray(1, good ? PacketGood : PacketBad);
}
