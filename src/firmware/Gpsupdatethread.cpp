#include "firmware/Gpsupdatethread.h"

#include "link/CommandFrame.h"
#include "link/SerialLink.h"
#include "link/Timings.h"

#include <QFile>

#include <algorithm>
#include <chrono>
#include <limits>

namespace {

const QByteArray BootSentence("$PMTK180*3B\r\n");
const QByteArray RateSentence("$PMTK251,115200*1F\r\n");
constexpr int BootSentences = 5;
constexpr int RateSentences = 3;
constexpr std::uint32_t BootRate = 115200;
constexpr std::uint32_t NormalRate = 9600;
// How long a wait runs before it looks at the stop flag again.
constexpr int StopSliceMs = 20;

QString LoaderOpenText() { return QStringLiteral("Ошибка открытия файла загрузчика"); }
QString FirmwareOpenText() { return QStringLiteral("Ошибка открытия файла прошивки"); }

}  // namespace

GPSUpdateThread::GPSUpdateThread(SerialLink& link, PortChoice choice, JobReporter& reporter, DeviceJobLease lease)
    : link_(link), choice_(std::move(choice)), reporter_(reporter), lease_(std::move(lease)) {}

void GPSUpdateThread::run() {
    setPriority(QThread::TimeCriticalPriority);
    Execute();
}

bool GPSUpdateThread::Execute() {
    if (!Pause(StartPauseMs) || !ConnectDevice(link_, choice_)) {
        if (stopRequested_)
            Stopped(QStringLiteral("подключение к устройству"));
        else
            reporter_.ShowResult(ReportKind::Failure, NotConnectedText());
        End(true);
        return false;
    }
    return Run();
}

bool GPSUpdateThread::Run() {
    const Timings& timings = CurrentTimings();
    QByteArray loader, firmware;
    if (!ReadFiles(loader, firmware))
        return false;

    // 4, 5: the module is switched off and on, so it starts afresh in normal mode.
    if (!ModuleCommand(DeviceCommand::StopGPS, 0) || !Pause(timings.gpsModulePauseMs) ||
        !ModuleCommand(DeviceCommand::StartGPS, 0) || !Pause(timings.gpsModulePauseMs))
        return stopRequested_ ? Stopped(QStringLiteral("перезапуск GPS модуля"))
                              : Fail(QStringLiteral("GPS/ГЛОНАСС модуль не остановлен"));

    // 6, 7: the sentences that send the module to its boot ROM; nothing is awaited.
    Log(QStringLiteral("Переход в режим программирования..."));
    const int sendMs = timings.ownCommandMs;
    for (int i = 0; i < BootSentences + RateSentences; ++i) {
        Pass(i < BootSentences ? BootSentence : RateSentence, sendMs);
        if (!Pause(timings.gpsSentencePauseMs))
            return Stopped(QStringLiteral("переход в режим программирования"));
    }

    // 8: from here on a stop no longer closes the link, so the job can switch the line back itself.
    Log(QStringLiteral("Переключение скорости UART 115200..."));
    {
        std::lock_guard guard(stopLock_);
        if (stopRequested_)
            return Stopped(QStringLiteral("переключение скорости"));
        lineSwitched_ = true;
    }
    if (!ModuleCommand(DeviceCommand::SetGPSBaud, BootRate))
        return stopRequested_ ? Stopped(QStringLiteral("переключение скорости"))
                              : Fail(QStringLiteral("Ошибка на этапе переключения скорости"));

    // 9: the boot protocol.
    const GpsBootOutcome boot = RunGpsBoot(*this, loader, firmware);
    if (boot.end == GpsBootOutcome::End::Stopped)
        return Stopped(GpsBootStepName(boot.step));
    if (boot.end == GpsBootOutcome::End::Failed)
        return Fail(boot.failure, boot.detail, boot.linkStaysOpen);

    // 10, 11.
    ResetLineRate();
    Log(QStringLiteral("Прошивка GPS модуля завершена"));
    reporter_.ShowProgress(0, firmware.size());
    End(false);
    return true;
}

// Both files are read whole before the first frame: the firmware's packets, sums and end value all
// come from this one copy. Neither file is ever created or written.
bool GPSUpdateThread::ReadFiles(QByteArray& loader, QByteArray& firmware) {
    QFile loaderFile(LoaderName);
    if (LoaderName.isEmpty() || !loaderFile.open(QIODevice::ReadOnly))
        return Fail(LoaderOpenText(), LoaderName.isEmpty() ? QStringLiteral("Не указан файл загрузчика") : QString());
    loader = loaderFile.read(GpsBoot::LoaderSize);
    const qint64 loaderSize = loaderFile.size();
    if (loader.size() != std::min<qint64>(loaderSize, GpsBoot::LoaderSize))
        return Fail(LoaderOpenText(), QStringLiteral("Прочитано %1 байт из %2").arg(loader.size()).arg(loaderSize));

    QFile firmwareFile(FirmwareName);
    if (FirmwareName.isEmpty() || !firmwareFile.open(QIODevice::ReadOnly))
        return Fail(FirmwareOpenText(), FirmwareName.isEmpty() ? QStringLiteral("Не указан файл прошивки") : QString());
    firmware = firmwareFile.readAll();
    if (firmware.size() != firmwareFile.size())
        return Fail(FirmwareOpenText(),
                    QStringLiteral("Прочитано %1 байт из %2").arg(firmware.size()).arg(firmwareFile.size()));

    if (loader.isEmpty())
        return Fail(QStringLiteral("Файл загрузчика пуст: обновление не начато"));
    if (firmware.isEmpty())
        return Fail(QStringLiteral("Файл прошивки пуст: обновление не начато"));
    if (firmware.size() > std::numeric_limits<std::uint32_t>::max())
        return Fail(QStringLiteral("Файл прошивки слишком велик: %1 байт").arg(firmware.size()));
    if (loaderSize < GpsBoot::LoaderSize)
        Log(QStringLiteral("Внимание: файл загрузчика короче %1 байт (%2 байт), недостающие байты будут переданы нулями")
                .arg(GpsBoot::LoaderSize)
                .arg(loaderSize));
    return true;
}

bool GPSUpdateThread::ModuleCommand(DeviceCommand command, std::uint32_t value) {
    const int timeoutMs = CurrentTimings().ownCommandMs;
    return link_.SendFrame(command, value, {}, timeoutMs) && Wait(1, timeoutMs);
}

bool GPSUpdateThread::Fail(const QString& text, const QString& detail, bool linkStaysOpen) {
    Log(text);
    if (!detail.isEmpty())
        Log(detail);
    ResetLineRate();
    End(!linkStaysOpen);
    return false;
}

bool GPSUpdateThread::Stopped(const QString& step) {
    Log(StoppedText(step));
    ResetLineRate();
    End(true);
    return false;
}

// Command 7 with 9600, no answer awaited: after step 8 the device's module line may run at 115200.
void GPSUpdateThread::ResetLineRate() {
    bool switched;
    {
        std::lock_guard guard(stopLock_);
        switched = lineSwitched_;
    }
    if (switched)
        link_.SendFrame(DeviceCommand::SetGPSBaud, NormalRate, {}, CurrentTimings().ownCommandMs);
}

void GPSUpdateThread::End(bool closeLink) {
    // Every send has left the port before it returns, so closing now cuts off no frame.
    if (closeLink)
        link_.Close();
    lease_.Release();
}

void GPSUpdateThread::RequestStop() {
    std::lock_guard guard(stopLock_);
    stopRequested_ = true;
    stopWake_.notify_all();
    // Before step 8 closing the link ends a wait or a send at once and leaves nothing to undo.
    if (!lineSwitched_)
        link_.Close();
}

bool GPSUpdateThread::Pass(const QByteArray& bytes, int timeoutMs) {
    return link_.SendFrame(DeviceCommand::GPSPassThrough, 0, bytes, timeoutMs);
}

bool GPSUpdateThread::Wait(std::uint32_t count, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (stopRequested_)
            return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        const int sliceMs = static_cast<int>(std::clamp<std::int64_t>(left.count(), 0, StopSliceMs));
        if (link_.WaitForBytes(count, sliceMs))
            return true;
        if (left.count() <= StopSliceMs || !link_.IsOpen() || link_.LineLost())
            return false;
    }
}

QByteArray GPSUpdateThread::Received() const { return link_.ReceivedBytes(); }

bool GPSUpdateThread::Pause(int ms) {
    std::unique_lock guard(stopLock_);
    return !stopWake_.wait_for(guard, std::chrono::milliseconds(std::max(ms, 0)), [this] { return stopRequested_.load(); });
}

void GPSUpdateThread::Log(const QString& line) { reporter_.AddLogLine(line); }

void GPSUpdateThread::Progress(qint64 done, qint64 total) { reporter_.ShowProgress(done, total); }
