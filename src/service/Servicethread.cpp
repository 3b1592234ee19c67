#include "service/Servicethread.h"

#include "link/SerialLink.h"
#include "link/Timings.h"
#include "service/ModemText.h"

ServiceThread::ServiceThread(ServiceOperation operation, SerialLink& link, PortChoice choice, JobReporter& reporter,
                             DeviceJobLease lease)
    : operation_(operation), link_(link), choice_(std::move(choice)), reporter_(reporter), lease_(std::move(lease)) {}

QString LinkLostText() { return QStringLiteral("Связь с устройством потеряна"); }

bool ServiceThread::Execute() {
    if (!CheckInputs()) {
        End();
        return false;
    }
    if (stopRequested_ || !ConnectDevice(link_, choice_) || StopCameWhileConnecting()) {
        if (!stopRequested_)
            reporter_.ShowResult(ReportKind::Failure, NotConnectedText());
        else
            Stopped(QStringLiteral("подключение к устройству"));
        End();
        return false;
    }
    const bool done = Run();
    End();
    return done;
}

// A stop closes the link under stopLock_; one that came while the port was being opened closed
// nothing, and the job would go on with its waits on an open link.
bool ServiceThread::StopCameWhileConnecting() {
    std::lock_guard lock(stopLock_);
    return stopRequested_;
}

bool ServiceThread::CheckInputs() {
    switch (operation_) {
    case ServiceOperation::WriteVoiceFiles:
        upload_ = ReadVoiceUploadFiles(Files);
        if (!upload_.refusal.isEmpty()) {
            Log(upload_.refusal);
            return false;
        }
        for (const QString& warning : upload_.warnings)
            Log(warning);
        return true;
    case ServiceOperation::SendImeiBySms:
    case ServiceOperation::TestCall: {
        if (PhoneNumber.isEmpty()) {
            Log(NoPhoneNumberText());
            return false;
        }
        const std::optional<QByteArray> bytes = PhoneNumberBytes(PhoneNumber);
        if (!bytes)
            Log(PhoneNumberRefusedText());
        phoneBytes_ = bytes.value_or(QByteArray());
        return bytes.has_value();
    }
    default:
        return true;
    }
}

bool ServiceThread::Run() {
    switch (operation_) {
    case ServiceOperation::ModemOn:
        return ModemOn();
    case ServiceOperation::ModemOff:
        return ToggleModule(DeviceCommand::StopModem, QStringLiteral("Модем остановлен"),
                            QStringLiteral("Модем не остановлен"));
    case ServiceOperation::GpsOn:
        return ToggleModule(DeviceCommand::StartGPS, QStringLiteral("GPS/ГЛОНАСС модуль запущен"),
                            QStringLiteral("GPS/ГЛОНАСС модуль не запущен"));
    case ServiceOperation::GpsOff:
        return ToggleModule(DeviceCommand::StopGPS, QStringLiteral("GPS/ГЛОНАСС модуль остановлен"),
                            QStringLiteral("GPS/ГЛОНАСС модуль не остановлен"));
    case ServiceOperation::WriteVoiceFiles:
        return WriteVoiceFiles();
    case ServiceOperation::CreateTestSim:
        return WriteTestEntry("AT+CPBW=1,\"00000\",145,\"KOVA TEST\"\r\n",
                              QStringLiteral("SIM-карта для тестирования создана"),
                              QStringLiteral("Ошибка создания тестовой SIM-карты"));
    case ServiceOperation::DeactivateTestSim:
        return WriteTestEntry("AT+CPBW=1,\"00000\",145,\"\"\r\n",
                              QStringLiteral("SIM-карта для тестирования деактивирована"),
                              QStringLiteral("Ошибка деактивации тестовой SIM-карты"));
    case ServiceOperation::SendImeiBySms:
        return SendImeiBySms();
    case ServiceOperation::TestCall:
        return SendCallCommand("ATD" + phoneBytes_ + ";\r\n", QStringLiteral("Звонок..."));
    case ServiceOperation::CancelCall:
        return SendCallCommand("ATH0\r\n", QStringLiteral("Звонок отменен"));
    }
    return false;
}

// The modem is started, then asked "AT" until it answers, then told to stop echoing. Only the
// start's acknowledgement decides whether the later steps are tried.
bool ServiceThread::ModemOn() {
    const Timings& timings = CurrentTimings();
    Log(QStringLiteral("Запуск модема..."));
    if (!RunOwnCommand(link_, DeviceCommand::StartModem)) {
        if (Stopped(QStringLiteral("запуск модема")))
            return false;
        Log(QStringLiteral("Модем не запущен"));
        return false;
    }
    bool answered = false;
    for (int attempt = 0; attempt < timings.modemProbeAttempts && !answered; ++attempt) {
        answered = ModemExchange("AT\r\n", 6, timings.modemReplyMs);
        if (Stopped(QStringLiteral("проверка связи с модемом")))
            return false;
    }
    if (answered)
        Log(QStringLiteral("Модем запущен"));
    const bool configured = ModemExchange("ATE0\r\n", 6, timings.modemReplyMs);
    if (Stopped(QStringLiteral("отключение эха модема")))
        return false;
    if (configured)
        Log(QStringLiteral("Модем сконфигурирован"));
    return answered;
}

bool ServiceThread::ToggleModule(DeviceCommand command, const QString& done, const QString& failed) {
    const bool acknowledged = RunOwnCommand(link_, command);
    if (!acknowledged && Stopped(QStringLiteral("ожидание ответа устройства")))
        return false;
    Log(acknowledged ? done : failed);
    return acknowledged;
}

bool ServiceThread::SendToModem(const QByteArray& text, int timeoutMs) {
    return link_.SendFrame(DeviceCommand::ModemPassThrough, 0, text, timeoutMs);
}

bool ServiceThread::Exchange(const QByteArray& text, std::uint32_t count, int timeoutMs) {
    return SendToModem(text, timeoutMs) && link_.WaitForBytes(count, timeoutMs);
}

bool ServiceThread::ModemExchange(const QByteArray& text, std::uint32_t count, int timeoutMs) {
    Exchange(text, count, timeoutMs);
    return Found("OK");
}

bool ServiceThread::Found(const char* text) const { return link_.ReceivedText().contains(text); }

void ServiceThread::Log(const QString& line) { reporter_.AddLogLine(line); }

bool ServiceThread::Pause(int ms) {
    std::unique_lock lock(stopLock_);
    return !stopArrived_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopRequested_.load(); });
}

// Closing the link ends every wait and send at once. A job with a clean-up to do connects again
// for it once the close is over (stopLock_).
void ServiceThread::RequestStop() {
    std::lock_guard lock(stopLock_);
    stopRequested_ = true;
    stopArrived_.notify_all();
    link_.Close();
}

bool ServiceThread::Stopped(const QString& step) {
    if (!stopRequested_)
        return false;
    if (!stopLogged_)
        Log(StoppedText(step));
    stopLogged_ = true;
    return true;
}

bool ServiceThread::LinkLost() {
    if (link_.IsOpen() && !link_.LineLost())
        return false;
    if (!stopRequested_)
        Log(LinkLostText());
    return true;
}

void ServiceThread::End() {
    // Every send has left the port before it returns, so closing now cuts off no frame.
    link_.Close();
    lease_.Release();
}
