#include "firmware/GpsBoot.h"

#include <QtEndian>

#include <algorithm>

namespace GpsBoot {

QByteArray BigEndian(std::uint32_t value) {
    QByteArray bytes(4, '\0');
    qToBigEndian<std::uint32_t>(value, bytes.data());
    return bytes;
}

QByteArray LoaderWire(const QByteArray& loaderFile) {
    QByteArray wire = loaderFile.left(LoaderSize);
    wire.resize(LoaderSize, '\0');
    for (int i = 0; i + 1 < LoaderSize; i += 2)
        std::swap(wire[i], wire[i + 1]);
    return wire;
}

QByteArray Packet(const QByteArray& bytes) {
    std::uint16_t sum = 0;
    for (const char byte : bytes)
        sum = static_cast<std::uint16_t>(sum + static_cast<std::uint8_t>(byte));
    QByteArray packet = bytes;
    packet.append(static_cast<char>(sum >> 8));
    packet.append(static_cast<char>(sum & 0xFF));
    return packet;
}

QByteArray EndValue(qint64 firmwareLength) { return BigEndian(static_cast<std::uint32_t>(firmwareLength - 1)); }

}  // namespace GpsBoot

namespace {

using Kind = GpsBootStep::Kind;
const QByteArray Address = GpsBoot::BigEndian(GpsBoot::LoaderAddress);
const QByteArray Size = GpsBoot::BigEndian(GpsBoot::LoaderWords);

QByteArray Byte(char value) { return QByteArray(1, value); }

QString Hex(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex(' ').toUpper()); }

// "Получено 3 байт из 4: 5F F5 AF", the line after a failure's own line when something came back.
QString WhatCameBack(const QByteArray& received, std::uint32_t awaited) {
    QString line = QStringLiteral("Получено %1 байт из %2").arg(received.size()).arg(awaited);
    if (!received.isEmpty())
        line += QStringLiteral(": ") + Hex(received.left(32)) + (received.size() > 32 ? QStringLiteral(" …") : QString());
    return line;
}

}  // namespace

// The module's boot protocol, step by step. Bytes are hexadecimal; every step's bytes travel in one frame of their own.
const std::vector<GpsBootStep>& GpsBootSteps() {
    static const std::vector<GpsBootStep> steps = {
        {1, Kind::Sync, "Подготовка GPS модуля...", Byte('\xA0'), nullptr, 1, "GPS модуль не отвечает"},
        {2, Kind::Bytes, nullptr, Byte('\x0A'), nullptr, 1, "Ошибка на этапе 0x0A"},
        {3, Kind::Bytes, nullptr, Byte('\x50'), nullptr, 1, "Ошибка на этапе 0x50"},
        {4, Kind::Bytes, nullptr, Byte('\x05'), nullptr, 1, "Ошибка на этапе 0x05"},
        {5, Kind::Bytes, nullptr, Byte('\xA1'), nullptr, 1, "Ошибка на этапе 0xA1"},
        {6, Kind::Bytes, nullptr, Address, nullptr, 4, "Ошибка на этапе передачи адреса"},
        {7, Kind::Bytes, nullptr, Size, nullptr, 4, "Ошибка на этапе передачи размера загрузчика"},
        {8, Kind::LoaderPieces, "Запись загрузчика...", {}, nullptr, 0, "Ошибка во время записи загрузчика"},
        {9, Kind::Bytes, nullptr, Byte('\xA4'), nullptr, 1, "Ошибка на этапе A4"},
        {10, Kind::Pause, nullptr, {}, &Timings::gpsChecksumPauseMs, 0, nullptr},
        {11, Kind::Bytes, nullptr, Address, nullptr, 4, "Ошибка на этапе передачи адреса (Checksum)"},
        {12, Kind::Bytes, nullptr, Size, nullptr, 6, "Ошибка на этапе передачи размера загрузчика"},
        {13, Kind::Bytes, "Передача управления загрузчику...", Byte('\xA8'), nullptr, 1,
         "Ошибка на этапе передачи управления загрузчику"},
        {14, Kind::Bytes, nullptr, Address, nullptr, 24, "Ошибка на этапе передачи управления(адрес)"},
        {15, Kind::Bytes, nullptr, Byte('\xD3'), &Timings::gpsLoaderPauseMs, 0, nullptr},
        {16, Kind::Bytes, nullptr, Byte('\x01'), &Timings::gpsLoaderPauseMs, 0, nullptr},
        {17, Kind::Bytes, nullptr, GpsBoot::BigEndian(0), &Timings::gpsLoaderPauseMs, 0, nullptr},
        {18, Kind::EndValue, nullptr, {}, nullptr, 2, nullptr},
        {19, Kind::Bytes, nullptr, Byte('\xD5'), &Timings::gpsLoaderPauseMs, 0, nullptr},
        {20, Kind::Bytes, nullptr, GpsBoot::BigEndian(GpsBoot::PacketSize), &Timings::gpsLoaderPauseMs, 2, nullptr},
        {21, Kind::Packets, "Запись прошивки...", {}, nullptr, 1, "Время ожидания ответа от МК истекло"},
        {22, Kind::Bytes, nullptr, Byte('\xD9'), &Timings::gpsLoaderPauseMs, 0, nullptr},
        {23, Kind::Bytes, nullptr, Byte('\xD9'), &Timings::gpsLoaderPauseMs, 0, nullptr},
    };
    return steps;
}

QString GpsBootStepName(int step) {
    switch (step) {
    case 1: return QStringLiteral("синхронизация с GPS модулем");
    case 8: return QStringLiteral("запись загрузчика");
    case 21: return QStringLiteral("запись прошивки");
    default: return QStringLiteral("протокол загрузки GPS модуля, шаг %1").arg(step);
    }
}

namespace {

// Walks the table. Each exchange is: pass the bytes, pause where the step says, wait where it says.
class BootRun {
public:
    BootRun(GpsBootChannel& channel, const QByteArray& loaderFile, const QByteArray& firmware)
        : channel_(channel), loader_(GpsBoot::LoaderWire(loaderFile)), firmware_(firmware) {}

    GpsBootOutcome Run() {
        for (const GpsBootStep& step : GpsBootSteps()) {
            step_ = &step;
            if (step.logLine)
                channel_.Log(QString::fromUtf8(step.logLine));
            bool done = false;
            switch (step.kind) {
            case Kind::Sync: done = Synchronise(); break;
            case Kind::LoaderPieces: done = WriteLoader(); break;
            case Kind::Packets: done = WritePackets(); break;
            case Kind::Pause: done = channel_.Pause(Ms(step.pauseMs)); break;
            case Kind::EndValue: done = Exchange(GpsBoot::EndValue(firmware_.size()), step.awaited); break;
            case Kind::Bytes: done = Exchange(step.bytes, step.awaited); break;
            }
            if (channel_.StopRequested())
                return End(GpsBootOutcome::End::Stopped);
            if (!done)
                return End(GpsBootOutcome::End::Failed);
        }
        return End(GpsBootOutcome::End::Done);
    }

private:
    static int Ms(int Timings::*field) { return field ? CurrentTimings().*field : 0; }
    static int ReplyMs() { return CurrentTimings().gpsBootReplyMs; }

    // One exchange of the current step; false only when its outcome matters and it failed.
    bool Exchange(const QByteArray& bytes, std::uint32_t awaited) {
        const bool matters = step_->failure != nullptr;
        if (!channel_.Pass(bytes, ReplyMs())) {
            if (matters)
                detail_ = QStringLiteral("Не удалось передать %1 байт").arg(bytes.size());
            return !matters;
        }
        if (step_->pauseMs && !channel_.Pause(Ms(step_->pauseMs)))
            return false;
        if (awaited == 0)
            return true;
        const bool answered = channel_.Wait(awaited, ReplyMs());
        if (!answered && matters)
            detail_ = WhatCameBack(channel_.Received(), awaited);
        return answered || !matters;
    }

    bool Synchronise() {
        const int tries = CurrentTimings().gpsSyncTries;
        const int tryMs = CurrentTimings().gpsSyncTryMs;
        for (int attempt = 0; attempt < tries && !channel_.StopRequested(); ++attempt)
            if (channel_.Pass(step_->bytes, std::max(tryMs, 1)) && channel_.Wait(1, tryMs))
                return true;
        detail_ = QStringLiteral("Нет ответа на %1 попыток синхронизации").arg(tries);
        return false;
    }

    bool WriteLoader() {
        const qint64 total = loader_.size();
        for (qint64 offset = 0; offset < total; offset += GpsBoot::LoaderPiece) {
            const QByteArray piece = loader_.mid(offset, GpsBoot::LoaderPiece);
            if (!Exchange(piece, static_cast<std::uint32_t>(piece.size()))) {
                detail_ = QStringLiteral("Кусок загрузчика со смещения %1 из %2. ").arg(offset).arg(total) + detail_;
                return false;
            }
            channel_.Progress(offset, total);
        }
        return true;
    }

    bool WritePackets() {
        const qint64 total = firmware_.size();
        for (qint64 offset = 0; offset < total; offset += GpsBoot::PacketSize) {
            if (!Exchange(GpsBoot::Packet(firmware_.mid(offset, GpsBoot::PacketSize)), 1)) {
                detail_ = QStringLiteral("Пакет %1 из %2 (смещение %3). ")
                              .arg(offset / GpsBoot::PacketSize + 1)
                              .arg((total + GpsBoot::PacketSize - 1) / GpsBoot::PacketSize)
                              .arg(offset) +
                          detail_;
                return false;
            }
            channel_.Progress(offset, total);
        }
        return true;
    }

    GpsBootOutcome End(GpsBootOutcome::End end) {
        GpsBootOutcome outcome;
        outcome.end = end;
        if (end == GpsBootOutcome::End::Done)
            return outcome;
        outcome.step = step_->number;
        if (end == GpsBootOutcome::End::Failed) {
            outcome.failure = QString::fromUtf8(step_->failure);
            outcome.detail = detail_;
            outcome.linkStaysOpen = step_->kind == Kind::Packets;
        }
        return outcome;
    }

    GpsBootChannel& channel_;
    const QByteArray loader_;
    const QByteArray& firmware_;
    const GpsBootStep* step_ = nullptr;
    QString detail_;
};

}  // namespace

GpsBootOutcome RunGpsBoot(GpsBootChannel& channel, const QByteArray& loaderFile, const QByteArray& firmware) {
    return BootRun(channel, loaderFile, firmware).Run();
}
