#include "SimModem.h"

namespace {

const QByteArray Ok = "\r\nOK\r\n";
const QByteArray Error = "\r\nERROR\r\n";

}  // namespace

const SimModem::Command SimModem::Commands[] = {
    {"", false, &SimModem::Attention},
    {"E0", false, &SimModem::EchoOff},
    {"E1", false, &SimModem::EchoOn},
    {"+GSN", false, &SimModem::SerialNumber},
    {"D", true, &SimModem::Dial},
    {"H0", false, &SimModem::HangUp},
    {"H", false, &SimModem::HangUp},
};

void SimModem::SetPowered(bool on) {
    if (on && !powered_) {
        echo_ = true;
        attentionsHeard_ = 0;
    }
    line_.clear();
    powered_ = on;
}

QByteArray SimModem::Receive(const QByteArray& bytes) {
    if (!powered_)
        return {};
    QByteArray answers;
    for (const char byte : bytes) {
        if (byte == '\r') {
            const QByteArray line = line_;
            line_.clear();
            if (!line.isEmpty())
                answers += Answer(line);
        } else if (byte != '\n' && line_.size() < MaxLineLength) {
            line_.append(byte);
        }
    }
    return answers;
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

QByteArray SimModem::SerialNumber(const QByteArray& /*argument*/) { return "\r\n" + QByteArray(Imei) + "\r\n" + Ok; }

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
