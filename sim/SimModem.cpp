#include "SimModem.h"

#include <QRegularExpression>

namespace {

const QByteArray Ok = "\r\nOK\r\n";
const QByteArray Error = "\r\nERROR\r\n";
const QByteArray Prompt = "\r\n> ";
const QByteArray Drive = "C:\\";
constexpr char CtrlZ = 0x1A;
constexpr char Escape = 0x1B;

// A quoted field's text; nothing when the field is not quoted.
std::optional<QByteArray> Unquoted(const QByteArray& field) {
    if (field.size() < 2 || !field.startsWith('"') || !field.endsWith('"'))
        return std::nullopt;
    return field.mid(1, field.size() - 2);
}

bool OnDrive(const QByteArray& name) { return name.size() > Drive.size() && name.startsWith(Drive); }

}  // namespace

const SimModem::Command SimModem::Commands[] = {
    {"", false, &SimModem::Attention},
    {"E0", false, &SimModem::EchoOff},
    {"E1", false, &SimModem::EchoOn},
    {"+GSN", false, &SimModem::SerialNumber},
    {"D", true, &SimModem::Dial},
    {"H0", false, &SimModem::HangUp},
    {"H", false, &SimModem::HangUp},
    {"+FSDEL=", true, &SimModem::FileDelete},
    {"+FSMEM", false, &SimModem::FileMemory},
    {"+FSCREATE=", true, &SimModem::FileCreate},
    {"+FSWRITE=", true, &SimModem::FileWrite},
    {"+CPBW=", true, &SimModem::PhoneBookWrite},
    {"+CMGF=", true, &SimModem::MessageFormat},
    {"+CSCS=", true, &SimModem::CharacterSet},
    {"+CMGS=", true, &SimModem::MessageSend},
};

void SimModem::SetFaults(const SimFaults& faults) {
    faults_ = faults;
    flash_.SetCapacity(faults.modemFlashBytes.value_or(SimModemFlash::DefaultCapacity));
}

void SimModem::SetPowered(bool on) {
    if (on && !powered_) {
        echo_ = true;
        attentionsHeard_ = 0;
        textMode_ = false;
    }
    line_.clear();
    input_ = Input::Commands;
    lineEnded_ = false;
    powered_ = on;
}

QByteArray SimModem::Receive(const QByteArray& bytes) {
    if (!powered_)
        return {};
    QByteArray answers;
    if (input_ == Input::FileData && writeRemaining_ == 0)
        answers += FinishFileData();  // a write of nothing ends with the (empty) data that follows
    for (qsizetype at = 0; at < bytes.size();) {
        const char byte = bytes[at];
        if (lineEnded_ && byte == '\n') {
            lineEnded_ = false;
            ++at;
            continue;
        }
        lineEnded_ = false;
        if (input_ == Input::FileData) {
            answers += TakeFileData(bytes, at);
            continue;
        }
        answers += input_ == Input::MessageText ? TakeMessageByte(byte) : TakeCommandByte(byte);
        ++at;
    }
    return answers;
}

QByteArray SimModem::TakeCommandByte(char byte) {
    if (byte == '\r') {
        lineEnded_ = true;
        const QByteArray line = line_;
        line_.clear();
        return line.isEmpty() ? QByteArray() : Answer(line);
    }
    if (byte != '\n' && line_.size() < MaxLineLength)
        line_.append(byte);
    return {};
}

QByteArray SimModem::TakeFileData(const QByteArray& bytes, qsizetype& at) {
    const qsizetype taken = std::min(writeRemaining_, bytes.size() - at);
    writeData_ += bytes.mid(at, taken);
    writeRemaining_ -= taken;
    at += taken;
    return writeRemaining_ == 0 ? FinishFileData() : QByteArray();
}

QByteArray SimModem::FinishFileData() {
    input_ = Input::Commands;
    const bool kept = flash_.Append(writeName_, writeData_);
    writeData_.clear();
    if (faults_.modemSilent || faults_.modemNoWriteAck)
        return {};
    return kept ? Ok : Error;
}

QByteArray SimModem::TakeMessageByte(char byte) {
    if (byte == Escape) {
        input_ = Input::Commands;
        messageText_.clear();
        return faults_.modemSilent ? QByteArray() : Ok;
    }
    if (byte != CtrlZ) {
        if (messageText_.size() < MaxLineLength)
            messageText_.append(byte);
        return {};
    }
    input_ = Input::Commands;
    messages_.append({messageNumber_, messageText_});
    messageText_.clear();
    if (faults_.modemSilent)
        return {};
    return "\r\n+CMGS: " + QByteArray::number(messages_.size()) + "\r\n" + Ok;
}

QByteArray SimModem::Answer(const QByteArray& line) {
    lines_.append(line);
    if (faults_.modemSilent || StillStarting(line))
        return {};
    const QByteArray echo = echo_ ? line + "\r\n" : QByteArray();  // echoed before the command changes it
    return echo + Execute(line);
}

// Until the Nth "AT" since switching on, the modem is still starting and answers nothing at all.
bool SimModem::StillStarting(const QByteArray& line) {
    const int needed = faults_.modemAnswersFromAt;
    if (needed <= 1 || attentionsHeard_ >= needed)
        return false;
    if (line.toUpper() == "AT")
        ++attentionsHeard_;
    return attentionsHeard_ < needed;
}

QByteArray SimModem::Execute(const QByteArray& line) {
    if (!line.toUpper().startsWith("AT"))
        return Error;
    const QByteArray rest = line.mid(2);
    const QByteArray name = rest.toUpper();
    for (const Command& command : Commands) {
        const QByteArray commandName(command.name);
        if (command.takesArgument ? name.startsWith(commandName) : name == commandName)
            return (this->*command.run)(rest.mid(commandName.size()));
    }
    return Error;
}

QByteArray SimModem::Attention(const QByteArray& /*argument*/) { return Ok; }

QByteArray SimModem::EchoOff(const QByteArray& /*argument*/) {
    if (faults_.ate0Error)
        return Error;
    echo_ = false;
    return Ok;
}

QByteArray SimModem::EchoOn(const QByteArray& /*argument*/) {
    echo_ = true;
    return Ok;
}

QByteArray SimModem::SerialNumber(const QByteArray& /*argument*/) {
    return "\r\n" + faults_.modemImei.value_or(imei_) + "\r\n" + Ok;
}

// "ATD" + number + ";" places a voice call; the modem says OK at once and the call goes on by itself.
QByteArray SimModem::Dial(const QByteArray& argument) {
    if (!argument.endsWith(';') || argument.size() < 2)
        return Error;
    calls_.append({argument.chopped(1), false});
    return Ok;
}

QByteArray SimModem::HangUp(const QByteArray& /*argument*/) {
    for (SimCall& call : calls_)
        call.hungUp = true;
    return Ok;
}

QByteArray SimModem::FileDelete(const QByteArray& argument) {
    return OnDrive(argument) && flash_.Delete(argument) ? Ok : Error;
}

QByteArray SimModem::FileMemory(const QByteArray& /*argument*/) {
    return "\r\n+FSMEM: C:" + QByteArray::number(flash_.Free()) + "bytes\r\n" + Ok;
}

QByteArray SimModem::FileCreate(const QByteArray& argument) {
    return OnDrive(argument) && flash_.Create(argument) ? Ok : Error;
}

// "AT+FSWRITE=C:\NAME,<mode>,<size>,<timeout>": mode 0 writes the file afresh, 1 adds to its end.
QByteArray SimModem::FileWrite(const QByteArray& argument) {
    const QList<QByteArray> fields = argument.split(',');
    bool sizeOk = false, modeOk = false, timeOk = false;
    const int mode = fields.value(1).toInt(&modeOk);
    const int size = fields.value(2).toInt(&sizeOk);
    fields.value(3).toInt(&timeOk);
    if (fields.size() != 4 || !flash_.Exists(fields[0]) || !modeOk || (mode != 0 && mode != 1) || !sizeOk ||
        size < 0 || !timeOk || faults_.modemNoPrompt)
        return Error;
    if (mode == 0) {
        flash_.Delete(fields[0]);
        flash_.Create(fields[0]);
    }
    input_ = Input::FileData;
    writeName_ = fields[0];
    writeRemaining_ = size;
    writeData_.clear();
    return Prompt;
}

// "AT+CPBW=<location>,\"<number>\",<type>,\"<text>\"" fills a location; "AT+CPBW=<location>" empties it.
QByteArray SimModem::PhoneBookWrite(const QByteArray& argument) {
    if (faults_.phoneBookError)
        return Error;
    static const QRegularExpression entry(QStringLiteral(R"(^(\d+)(?:,("[^"]*"),(\d+),("[^"]*"))?$)"));
    const QRegularExpressionMatch match = entry.match(QString::fromLatin1(argument));
    if (!match.hasMatch())
        return Error;
    const int location = match.captured(1).toInt();
    if (location < 1 || location > 250)
        return Error;
    if (match.captured(2).isEmpty()) {
        phoneBook_.remove(location);
        return Ok;
    }
    phoneBook_[location] = {*Unquoted(match.captured(2).toLatin1()), match.captured(3).toInt(),
                            *Unquoted(match.captured(4).toLatin1())};
    return Ok;
}

QByteArray SimModem::MessageFormat(const QByteArray& argument) {
    if (argument != "0" && argument != "1")
        return Error;
    textMode_ = argument == "1";
    return Ok;
}

QByteArray SimModem::CharacterSet(const QByteArray& argument) { return Unquoted(argument) ? Ok : Error; }

QByteArray SimModem::MessageSend(const QByteArray& argument) {
    const std::optional<QByteArray> number = Unquoted(argument);
    if (!number || number->isEmpty() || number->contains('"') || !textMode_ || faults_.modemNoPrompt)
        return Error;
    input_ = Input::MessageText;
    messageNumber_ = *number;
    messageText_.clear();
    return Prompt;
}
