#include "firmware/McUpdateThread.h"

#include "link/SerialLink.h"
#include "link/Timings.h"

#include <QFile>

namespace {

constexpr qint64 HeaderSize = 15;
constexpr qint64 PieceSize = 2048;
constexpr std::uint32_t FlashStart = 0x08006400;

}  // namespace

QString FirmwareFileName(const QString& chosen) {
    return chosen.contains(QLatin1String(".fmw"), Qt::CaseSensitive) ? chosen : chosen + QLatin1String(".fmw");
}

MCUpdateThread::MCUpdateThread(SerialLink& link, PortChoice choice, QString fileName, JobReporter& reporter,
                               DeviceJobLease lease)
    : link_(link), choice_(std::move(choice)), fileName_(std::move(fileName)), reporter_(reporter),
      lease_(std::move(lease)) {}

bool MCUpdateThread::Fail(const QString& message) {
    reporter_.ShowResult(ReportKind::Failure, message);
    lease_.Release();
    return false;
}

bool MCUpdateThread::Execute() {
    if (!ConnectDevice(link_, choice_)) {
        link_.Close();
        return Fail(NotConnectedText());
    }
    QFile file(fileName_);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Fail(QStringLiteral("Ошибка открытия файла прошивки"));
    const qint64 total = file.size() - HeaderSize;
    if (total < 0)
        return Fail(QStringLiteral("Файл прошивки слишком короткий: в нём нет 15-байтового заголовка"));

    const int eraseMs = CurrentTimings().eraseFirmwareMs;
    if (!link_.SendFrame(DeviceCommand::EraseFirmware, 0, {}, eraseMs) || !link_.WaitForBytes(1, eraseMs))
        return Fail(QStringLiteral("Ошибка на этапе очистки FLASH"));

    qint64 offset = 0;
    do {
        const qint64 length = std::min(PieceSize, total - offset);
        QByteArray piece;
        if (file.seek(HeaderSize + offset))
            piece = file.read(length);
        if (piece.size() != length)
            return Fail(QStringLiteral("Ошибка чтения файла прошивки: прочитано %1 байт из %2 по смещению %3")
                            .arg(piece.size()).arg(length).arg(offset));
        const auto address = FlashStart + static_cast<std::uint32_t>(offset);
        const int pieceMs = CurrentTimings().writeFirmwareMs;
        if (!link_.SendFrame(DeviceCommand::WriteFirmware, address, piece, pieceMs) ||
            !link_.WaitForBytes(1, pieceMs))
            return Fail(QStringLiteral("Ошибка во время записи прошивки"));
        offset += length;
        reporter_.ShowProgress(offset, total);
    } while (offset < total);

    reporter_.ShowResult(ReportKind::Success, QStringLiteral("Прошивка успешно обновлена"));
    lease_.Release();
    return true;
}
