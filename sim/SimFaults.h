#pragma once

#include <QByteArray>

#include <optional>

// Ways a device misbehaves, chosen by tests and by kova-sim's options. Frame counts start when the
// faults are set. A frame that a fault leaves unanswered is not carried out either: the device has
// hung, so its memory and flash show exactly what it acknowledged.
struct SimFaults {
    // Frames after the first N are still taken in, but never carried out or answered.
    std::optional<int> silentAfterFrames;
    // Every answer longer than one byte loses its last byte (a slot read gives 31 bytes). A one-byte
    // acknowledgement stays whole: no answer at all is the silent fault's job.
    bool shortAnswers = false;
    // Every answer is replaced by as many pseudo-random bytes.
    bool garbageAnswers = false;
    // Pause between a frame's arrival and its answer leaving, in milliseconds.
    int answerDelayMs = 0;
    // The cable is pulled as soon as the Nth frame has arrived; that frame gets no answer.
    std::optional<int> closeAfterFrames;
    // Slot writes are acknowledged but not kept: settings memory stays as it was.
    bool forgetWrites = false;
    // The GSM modem hears but never answers, not even with its echo.
    bool modemSilent = false;
    // The GSM modem is still starting: from switching on, it answers nothing until the Nth "AT" (the
    // first N-1 get nothing, nor does anything else sent meanwhile), and everything from that one on.
    int modemAnswersFromAt = 1;
    // The GSM modem answers "ATE0" with an error and keeps its echo on.
    bool ate0Error = false;

    // The modem's file system, phone book and messages.
    // The modem's drive C: holds this many bytes in all (a little memory left, or none).
    std::optional<int> modemFlashBytes;
    // AT+FSWRITE and AT+CMGS are answered "ERROR" instead of the prompt for the data.
    bool modemNoPrompt = false;
    // The data of a file write is kept but never acknowledged.
    bool modemNoWriteAck = false;
    // AT+CPBW is answered "ERROR" and the phone book stays as it was.
    bool phoneBookError = false;
    // AT+GSN tells this instead of the modem's own IMEI (a short one, or one with no digit).
    std::optional<QByteArray> modemImei;

    // GPS/GLONASS module update. Each applies to the next boot session of the module only (from its
    // "$PMTK180" to its restart or power cycle), so a second update after the failure works.
    // The boot ROM never answers the synchronisation byte A0.
    bool gpsNoSync = false;
    // The loader takes firmware packet k (counted from 1) and everything after it, but answers nothing.
    std::optional<int> gpsSilentAtPacket;
    // At this step of the module's boot protocol (1 to 23, as GpsBootSteps numbers them) every answer of the module has gpsAnswerCount bytes instead.
    std::optional<int> gpsAnswerCountStep;
    int gpsAnswerCount = 0;
};
