#pragma once

#include "SimFaults.h"
#include "SimModemFlash.h"

#include <QByteArray>
#include <QList>

// A voice call the modem was told to place.
struct SimCall {
    QByteArray number;  // as dialled, blanks and all
    bool hungUp = false;

    bool operator==(const SimCall&) const = default;
};

// A location of the SIM card's phone book.
struct SimPhoneBookEntry {
    QByteArray number;
    int type = 0;
    QByteArray text;

    bool operator==(const SimPhoneBookEntry&) const = default;
};

// A text message the modem sent.
struct SimSms {
    QByteArray number;
    QByteArray text;  // every byte typed before Ctrl-Z

    bool operator==(const SimSms&) const = default;
};

// The GSM modem behind command 8. It hears the bytes the microcontroller passes on, takes them as
// command lines ended by a carriage return (line feeds are ignored) and gives back what it answers:
// with echo on, the line itself first, then "\r\nOK\r\n" or "\r\nERROR\r\n". Switched off it hears
// nothing. After the prompt "\r\n> " of a file write it takes the announced number of bytes as the
// file's data, and after the one of AT+CMGS the message text up to Ctrl-Z (ESC leaves it unsent).
// Only the device calls it, under the device's lock.
class SimModem {
public:
    static constexpr int MaxLineLength = 556;  // longer lines keep their first characters only
    static constexpr char Imei[] = "860000000000001";  // the one the tracker's factory settings carry

    QByteArray Receive(const QByteArray& bytes);

    // Switching on starts the modem afresh: echo on, nothing half-heard, its start-up count again.
    void SetPowered(bool on);
    bool Powered() const { return powered_; }
    void SetFaults(const SimFaults& faults);
    // What AT+GSN tells; a tracker's modem carries the IMEI of the tracker's settings.
    void SetImei(const QByteArray& imei) { imei_ = imei; }
    bool Echo() const { return echo_; }
    // Every command line heard while on, without its terminator, answered or not.
    const QList<QByteArray>& Lines() const { return lines_; }
    // Every call placed since the device was made, in order.
    const QList<SimCall>& Calls() const { return calls_; }
    const SimModemFlash& Flash() const { return flash_; }
    const QMap<int, SimPhoneBookEntry>& PhoneBook() const { return phoneBook_; }
    // Every message sent since the device was made, in order.
    const QList<SimSms>& Messages() const { return messages_; }

private:
    using Handler = QByteArray (SimModem::*)(const QByteArray& argument);
    struct Command {
        const char* name;    // what follows "AT", upper case
        bool takesArgument;  // the name is a prefix and the rest of the line is the argument
        Handler run;
    };
    static const Command Commands[];

    enum class Input { Commands, FileData, MessageText };

    QByteArray TakeCommandByte(char byte);
    QByteArray TakeFileData(const QByteArray& bytes, qsizetype& at);
    QByteArray FinishFileData();
    QByteArray TakeMessageByte(char byte);
    QByteArray Answer(const QByteArray& line);
    bool StillStarting(const QByteArray& line);
    QByteArray Execute(const QByteArray& line);

    QByteArray Attention(const QByteArray& argument);
    QByteArray EchoOff(const QByteArray& argument);
    QByteArray EchoOn(const QByteArray& argument);
    QByteArray SerialNumber(const QByteArray& argument);
    QByteArray Dial(const QByteArray& argument);
    QByteArray HangUp(const QByteArray& argument);
    QByteArray FileDelete(const QByteArray& argument);
    QByteArray FileMemory(const QByteArray& argument);
    QByteArray FileCreate(const QByteArray& argument);
    QByteArray FileWrite(const QByteArray& argument);
    QByteArray PhoneBookWrite(const QByteArray& argument);
    QByteArray MessageFormat(const QByteArray& argument);
    QByteArray CharacterSet(const QByteArray& argument);
    QByteArray MessageSend(const QByteArray& argument);

    bool powered_ = false;
    bool echo_ = true;
    int attentionsHeard_ = 0;  // "AT" lines since switched on, counted while it starts
    QByteArray line_;
    QList<QByteArray> lines_;
    QList<SimCall> calls_;
    SimFaults faults_;
    QByteArray imei_ = Imei;

    Input input_ = Input::Commands;
    bool lineEnded_ = false;  // a line feed right after a line's carriage return belongs to that line
    QByteArray writeName_;    // the file a write adds to
    qsizetype writeRemaining_ = 0;
    QByteArray writeData_;
    bool textMode_ = false;
    QByteArray messageNumber_;
    QByteArray messageText_;
    SimModemFlash flash_;
    QMap<int, SimPhoneBookEntry> phoneBook_;
    QList<SimSms> messages_;
};
