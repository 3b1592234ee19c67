// Operation 5: the voice files into the modem's flash file system on "C:".
#include "service/Servicethread.h"

#include "link/SerialLink.h"
#include "link/Timings.h"

#include <cctype>

namespace {

constexpr qsizetype ChunkBytes = 256;
constexpr int FreeMemoryAttempts = 5;

QString WriteErrorText(const char* what) {
    return QStringLiteral("Ошибка во время записи файла (%1)").arg(QString::fromUtf8(what));
}

// The number after the first "+FSMEM: C:" of an answer; nothing when no digit follows it.
std::optional<qint64> FreeMemoryIn(const QByteArray& answer) {
    static const QByteArray marker = "+FSMEM: C:";
    const qsizetype at = answer.indexOf(marker);
    if (at < 0)
        return std::nullopt;
    QByteArray digits;
    for (qsizetype i = at + marker.size(); i < answer.size() && digits.size() < 12; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(answer[i])))
            break;
        digits += answer[i];
    }
    bool ok = false;
    const qint64 free = digits.toLongLong(&ok);
    return ok ? std::optional<qint64>(free) : std::nullopt;
}

}  // namespace

// Old copies are deleted and every file created empty before the first is written; the first error
// ends the upload. The files were read whole beforehand (CheckInputs).
bool ServiceThread::WriteVoiceFiles() {
    if (!SendToModemAll("AT\r\n", "AT+FSDEL=C:\\")) {
        Stopped(QStringLiteral("удаление старых файлов"));
        return false;
    }
    const std::optional<qint64> free = QueryFreeMemory();
    if (Stopped(QStringLiteral("запрос свободной памяти")))
        return false;
    if (!free) {
        if (!LinkLost())
            Log(QStringLiteral("Модем не сообщил объём свободной памяти. Запись файлов отменена"));
        return false;
    }
    if (upload_.totalSize >= *free) {
        Log(QStringLiteral("Не хватает памяти на модеме для записи файлов"));
        return false;
    }
    if (!SendToModemAll("AT\r\n", "AT+FSCREATE=C:\\")) {
        Stopped(QStringLiteral("создание файлов"));
        return false;
    }

    qint64 sent = 0;
    reporter_.ShowProgress(0, upload_.totalSize);
    bool written = true;
    for (const VoiceUploadFile& file : upload_.files)
        if (!(written = WriteVoiceFile(file, sent)))
            break;
    reporter_.HideProgress();
    if (!written)
        return false;
    QueryFreeMemory();
    if (Stopped(QStringLiteral("запрос свободной памяти")))
        return false;
    Log(QStringLiteral("Файлы успешно записаны"));
    return true;
}

// The first text, then one command per file, each followed by the pause; the answers are not looked
// at. False when told to stop meanwhile, or when the cable was pulled (said in the log).
bool ServiceThread::SendToModemAll(const QByteArray& first, const QByteArray& perFile) {
    const int pauseMs = CurrentTimings().modemPauseMs;
    if ((!SendToModem(first, pauseMs) && LinkLost()) || !Pause(pauseMs))
        return false;
    for (const VoiceUploadFile& file : upload_.files)
        if ((!SendToModem(perFile + file.modemName + "\r\n", pauseMs) && LinkLost()) || !Pause(pauseMs))
            return false;
    return true;
}

// An answer that carries no free memory counts as none; the next attempt follows.
std::optional<qint64> ServiceThread::QueryFreeMemory() {
    const int pauseMs = CurrentTimings().modemPauseMs;
    for (int attempt = 0; attempt < FreeMemoryAttempts; ++attempt) {
        if ((!SendToModem("AT+FSMEM\r\n", pauseMs) && !link_.IsOpen()) || !Pause(pauseMs))
            return std::nullopt;
        if (!Found("\r\n"))
            continue;
        const std::optional<qint64> free = FreeMemoryIn(link_.ReceivedText());
        if (!free)
            continue;
        // The first letter is a Latin C, as the tracker's tools have always shown it.
        Log(QStringLiteral("Cвободной памяти: %1 (байт)").arg(*free));
        return free;
    }
    return std::nullopt;
}

bool ServiceThread::WriteVoiceFile(const VoiceUploadFile& file, qint64& sent) {
    Log(QStringLiteral("Запись файла ") + file.name);
    qsizetype offset = 0;
    do {
        const qsizetype chunk = std::min(ChunkBytes, file.data.size() - offset);
        if (!WriteChunk(file, offset, chunk))
            return false;
        offset += chunk;
        sent += chunk;
        reporter_.ShowProgress(sent, upload_.totalSize);
    } while (offset < file.data.size());
    return true;
}

// Announces the chunk, waits for the prompt, sends the bytes and waits for their acknowledgement.
bool ServiceThread::WriteChunk(const VoiceUploadFile& file, qsizetype offset, qsizetype chunk) {
    const int replyMs = CurrentTimings().modemLongReplyMs;
    const QByteArray announce = "AT+FSWRITE=C:\\" + file.modemName + ",1," + QByteArray::number(chunk) + ",1000\r\n";
    const bool answered = Exchange(announce, 3, replyMs);
    if (Stopped(QStringLiteral("запись файла ") + file.name))
        return false;
    if (!answered) {
        Log(WriteErrorText("нет ответа на этапе приглашения"));
        return false;
    }
    if (!Found(">")) {
        Log(WriteErrorText("нет приглашения"));
        return false;
    }
    const bool acknowledged =
        SendToModem(file.data.mid(offset, chunk), replyMs) && link_.WaitForBytes(6, replyMs);
    if (Stopped(QStringLiteral("запись файла ") + file.name))
        return false;
    if (!acknowledged) {
        Log(WriteErrorText("нет ответа на этапе подтверждения записи"));
        return false;
    }
    if (!Found("\r\nOK\r\n")) {
        Log(WriteErrorText("нет подтверждения записи"));
        return false;
    }
    return true;
}
