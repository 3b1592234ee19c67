#include "SimDevice.h"
#include "SimFactorySettings.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace {

const QByteArray Ack(1, SimDevice::AckByte);
const QByteArray Ok = "\r\nOK\r\n";
const QByteArray Error = "\r\nERROR\r\n";

// A device whose modem is reached as the program reaches it: by command 3, then command 8 frames.
class ModemTest : public testing::Test {
protected:
    QByteArray Send(DeviceCommand command, const QByteArray& payload = {}) {
        QByteArray all;
        for (const QByteArray& answer : device.Receive(Frame(command, 0, payload)).answers)
            all += answer;
        return all;
    }
    QByteArray ToModem(const QByteArray& text) { return Send(DeviceCommand::ModemPassThrough, text); }
    void StartModem(const SimFaults& faults = {}) {
        device.SetFaults(faults);
        ASSERT_EQ(Send(DeviceCommand::StartModem), Ack);
    }

    SimDevice device;
};

TEST_F(ModemTest, AnswersOnlyWhileSwitchedOn) {
    EXPECT_TRUE(ToModem("AT\r\n").isEmpty());
    StartModem();
    EXPECT_EQ(ToModem("AT\r\n"), "AT\r\n" + Ok);
    EXPECT_EQ(Send(DeviceCommand::StopModem), Ack);
    EXPECT_TRUE(ToModem("AT\r\n").isEmpty());
    EXPECT_FALSE(device.ModemOn());
    EXPECT_EQ(device.ModemLines(), QList<QByteArray>{"AT"});  // what it heard while on, only
}

TEST_F(ModemTest, EchoesEachLineUntilEchoIsSwitchedOffAndAgainAfterARestart) {
    StartModem();
    EXPECT_TRUE(device.ModemEcho());
    EXPECT_EQ(ToModem("AT\r\n"), "AT\r\n" + Ok);
    EXPECT_EQ(ToModem("ATE0\r\n"), "ATE0\r\n" + Ok);  // the line is echoed before the echo goes off
    EXPECT_FALSE(device.ModemEcho());
    EXPECT_EQ(ToModem("AT\r\n"), Ok);
    EXPECT_EQ(ToModem("ATE1\r\n"), Ok);
    EXPECT_EQ(ToModem("AT\r\n"), "AT\r\n" + Ok);
    EXPECT_EQ(ToModem("ATE0\r\n"), "ATE0\r\n" + Ok);

    Send(DeviceCommand::StopModem);
    StartModem();
    EXPECT_EQ(ToModem("AT\r\n"), "AT\r\n" + Ok);
}

struct ModemLine {
    QByteArray sent;
    QByteArray answer;  // with echo off
};

void PrintTo(const ModemLine& line, std::ostream* out) { *out << testing::PrintToString(line.sent.toStdString()); }

class ModemLines : public ModemTest, public testing::WithParamInterface<ModemLine> {};

TEST_P(ModemLines, AreAnsweredOkOrError) {
    StartModem();
    ToModem("ATE0\r\n");
    EXPECT_EQ(ToModem(GetParam().sent), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ModemLines,
    testing::Values(ModemLine{"AT\r\n", Ok}, ModemLine{"at\r\n", Ok}, ModemLine{"AT\r", Ok},
                    ModemLine{"ATE0\r\n", Ok}, ModemLine{"AT+NOSUCH\r\n", Error}, ModemLine{"ATE\r\n", Error},
                    ModemLine{"hello\r\n", Error}, ModemLine{"\r\n", ""}, ModemLine{"AT", ""},
                    ModemLine{"AT\r\nAT+X\r\n", Ok + Error}));

TEST_F(ModemTest, ALineSplitAcrossFramesIsAnsweredOnceWhole) {
    StartModem();
    EXPECT_TRUE(ToModem("A").isEmpty());
    EXPECT_TRUE(ToModem("TE").isEmpty());
    EXPECT_EQ(ToModem("0\r\n"), "ATE0\r\n" + Ok);
    EXPECT_EQ(device.ModemLines(), QList<QByteArray>{"ATE0"});
}

TEST_F(ModemTest, AHalfHeardLineIsForgottenWhenTheModemIsSwitchedOff) {
    StartModem();
    ToModem("ATE");
    Send(DeviceCommand::StopModem);
    StartModem();
    EXPECT_EQ(ToModem("0\r\n"), "0\r\n" + Error);
}

TEST_F(ModemTest, AnEndlessLineIsCutAndRefusedWithoutGrowingTheModem) {
    StartModem();
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(ToModem("AT" + QByteArray(2000, '1')).isEmpty());
    const QByteArray answer = ToModem("\r\n");
    EXPECT_TRUE(answer.endsWith(Error));
    EXPECT_EQ(device.ModemLines().front().size(), SimModem::MaxLineLength);
}

TEST_F(ModemTest, ASilentModemHearsButNeverAnswers) {
    SimFaults faults;
    faults.modemSilent = true;
    StartModem(faults);
    for (const QByteArray line : {"AT\r\n", "ATE0\r\n", "AT+X\r\n"})
        EXPECT_TRUE(ToModem(line).isEmpty()) << line.constData();
    EXPECT_EQ(device.ModemLines(), (QList<QByteArray>{"AT", "ATE0", "AT+X"}));
}

// The program tries "AT" up to ten times: a modem that answers the tenth must still be found.
TEST_F(ModemTest, AModemStillStartingAnswersNothingUntilTheNthAt) {
    SimFaults faults;
    faults.modemAnswersFromAt = 10;
    StartModem(faults);
    for (int attempt = 1; attempt < 10; ++attempt) {
        EXPECT_TRUE(ToModem("AT\r\n").isEmpty()) << "attempt " << attempt;
        EXPECT_TRUE(ToModem("ATE0\r\n").isEmpty()) << "attempt " << attempt;
    }
    EXPECT_EQ(ToModem("AT\r\n"), "AT\r\n" + Ok);
    EXPECT_EQ(ToModem("ATE0\r\n"), "ATE0\r\n" + Ok);

    Send(DeviceCommand::StopModem);
    StartModem(faults);  // starting again takes as long again
    EXPECT_TRUE(ToModem("AT\r\n").isEmpty());
}

TEST_F(ModemTest, AnEchoOffRefusedLeavesTheEchoOn) {
    SimFaults faults;
    faults.ate0Error = true;
    StartModem(faults);
    EXPECT_EQ(ToModem("ATE0\r\n"), "ATE0\r\n" + Error);
    EXPECT_TRUE(device.ModemEcho());
    EXPECT_EQ(ToModem("AT\r\n"), "AT\r\n" + Ok);
}

TEST_F(ModemTest, TellsItsImeiAsFifteenDigitsOnALineOfTheirOwn) {
    StartModem();
    ToModem("ATE0\r\n");
    const QByteArray answer = ToModem("AT+GSN\r\n");
    EXPECT_EQ(answer, "\r\n" + QByteArray(SimModem::Imei) + "\r\n" + Ok);
    EXPECT_EQ(QByteArray(SimModem::Imei).size(), 15);
    EXPECT_EQ(device.SlotText(Slot::Imei), SimModem::Imei);  // the tracker and its modem agree

    ASSERT_TRUE(device.LoadSettingsMemory(FactorySettingsMemory(7)));  // one tracker of a simulated hub
    EXPECT_EQ(ToModem("AT+GSN\r\n"), "\r\n" + device.SlotText(Slot::Imei) + "\r\n" + Ok);
    EXPECT_EQ(device.SlotText(Slot::Imei), "860000000000007");
}

TEST_F(ModemTest, PlacesVoiceCallsToTheNumberAsTypedAndHangsThemUp) {
    StartModem();
    ToModem("ATE0\r\n");
    EXPECT_EQ(ToModem("ATH0\r\n"), Ok) << "hanging up without a call is no error";
    EXPECT_EQ(ToModem("ATD +79001234567 ;\r\n"), Ok);
    EXPECT_EQ(device.ModemCalls(), (QList<SimCall>{{" +79001234567 ", false}}));
    EXPECT_EQ(ToModem("ATH0\r\n"), Ok);
    EXPECT_EQ(device.ModemCalls(), (QList<SimCall>{{" +79001234567 ", true}}));

    EXPECT_EQ(ToModem("ATD;\r\n"), Error);
    EXPECT_EQ(ToModem("ATD89001234567\r\n"), Error) << "no data calls";
    EXPECT_EQ(device.ModemCalls().size(), 1);
}

TEST_F(ModemTest, AModemSwitchedOnWithoutAFrameAnswers) {
    device.SetModemPowered(true);
    EXPECT_TRUE(device.ModemOn());
    EXPECT_EQ(ToModem("AT\r\n"), "AT\r\n" + Ok);
}

}  // namespace
