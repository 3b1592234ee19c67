// Operations 6 to 10: the test entry of the SIM phone book, the IMEI by SMS, the test call.
#include "service/Servicethread.h"

#include "link/SerialLink.h"
#include "link/Timings.h"

#include <algorithm>

namespace {

constexpr qsizetype ImeiLength = 15;
constexpr char CtrlZ = 0x1A;
constexpr char Escape = 0x1B;

}  // namespace

// An answer holding both "OK" and "ERR" logs both lines.
bool ServiceThread::WriteTestEntry(const QByteArray& command, const QString& done, const QString& failed) {
    ModemExchange(command, 6, CurrentTimings().modemReplyMs);
    if (Stopped(QStringLiteral("запись в телефонную книгу SIM-карты")))
        return false;
    const bool ok = Found("OK"), error = Found("ERR");
    if (ok)
        Log(done);
    if (error)
        Log(failed);
    return ok && !error;
}

// The IMEI, then text mode, the GSM alphabet and the number; after the prompt the IMEI goes as the
// message, ended by Ctrl-Z. Once AT+CMGS has gone out, a stop sends ESC so the modem leaves message
// entry and the next job's commands are not typed into an SMS.
bool ServiceThread::SendImeiBySms() {
    const Timings& timings = CurrentTimings();
    const bool imeiCame = Exchange("AT+GSN\r\n", 15, timings.smsReplyMs);
    if (Stopped(QStringLiteral("запрос IMEI")) || (!imeiCame && LinkLost()))
        return false;
    const std::optional<QByteArray> imei = TakeImei();
    if (!imei) {
        Log(QStringLiteral("Модем не сообщил IMEI. Передача SMS отменена"));
        return false;
    }
    for (const QByteArray& setting : {QByteArray("AT+CMGF=1\r\n"), QByteArray("AT+CSCS=\"GSM\"\r\n")}) {
        const bool answered = Exchange(setting, 6, timings.smsReplyMs);
        if (Stopped(QStringLiteral("настройка SMS")) || (!answered && LinkLost()))
            return false;
    }
    QByteArray message(16, '\0');
    std::copy(imei->begin(), imei->end(), message.begin());
    message[15] = CtrlZ;
    return SendMessage(message);
}

// The 15 bytes from the first digit of the answer, short ones padded with zero bytes; nothing when
// the answer holds no digit.
std::optional<QByteArray> ServiceThread::TakeImei() {
    const QByteArray answer = link_.ReceivedText();  // copied under the link's receive lock
    const auto digit = std::find_if(answer.begin(), answer.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digit == answer.end())
        return std::nullopt;
    return answer.mid(digit - answer.begin(), ImeiLength);
}

bool ServiceThread::SendMessage(const QByteArray& message) {
    const Timings& timings = CurrentTimings();
    const QString step = QStringLiteral("ожидание приглашения для SMS");
    const bool answered = Exchange("AT+CMGS=\"" + phoneBytes_ + "\"\r\n", 3, timings.smsReplyMs);
    if (!answered && !stopRequested_ && LinkLost())
        return false;
    if (Stopped(step) || !Pause(timings.smsPromptPauseMs)) {
        Stopped(step);
        LeaveMessageEntry();
        return false;
    }
    if (!Found(">")) {
        Log(QStringLiteral("Модем не принял SMS (нет приглашения для текста). Передача SMS отменена"));
        return false;
    }
    if (!SendToModem(message, timings.smsReplyMs)) {
        if (Stopped(QStringLiteral("передача SMS")))
            LeaveMessageEntry();  // part of the text may have gone
        else
            Log(LinkLostText());
        return false;
    }
    Log(QStringLiteral("SMS отправлено"));
    return true;
}

// The stop closed the link; once that is over it is opened again for the one ESC.
void ServiceThread::LeaveMessageEntry() {
    { const std::lock_guard waitForTheClose(stopLock_); }
    if (ConnectDevice(link_, choice_))
        SendToModem(QByteArray(1, Escape), CurrentTimings().modemReplyMs);
}

// The call goes on after the operation has ended; only the hand-over to the device is checked.
bool ServiceThread::SendCallCommand(const QByteArray& command, const QString& done) {
    if (!SendToModem(command, CurrentTimings().modemReplyMs)) {
        if (!Stopped(QStringLiteral("передача команды модему")))
            Log(LinkLostText());
        return false;
    }
    Log(done);
    return true;
}
