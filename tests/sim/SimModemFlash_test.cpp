// The simulated modem's file system, phone book and text messages, fed frame by frame.
#include "SimDevice.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace {

const QByteArray Ok = "\r\nOK\r\n";
const QByteArray Error = "\r\nERROR\r\n";
const QByteArray Prompt = "\r\n> ";

class ModemStore : public testing::Test {
protected:
    void SetUp() override { Start({}); }
    void Start(const SimFaults& faults) {
        device.SetFaults(faults);
        device.SetModemPowered(false);
        device.SetModemPowered(true);
        ToModem("ATE0\r\n");
    }
    QByteArray ToModem(const QByteArray& bytes) {
        QByteArray all;
        for (const QByteArray& answer : device.Receive(Frame(DeviceCommand::ModemPassThrough, 0, bytes)).answers)
            all += answer;
        return all;
    }
    QByteArray Free() const {
        return "\r\n+FSMEM: C:" + QByteArray::number(device.ModemFreeMemory()) + "bytes\r\n" + Ok;
    }

    SimDevice device;
};

TEST_F(ModemStore, AFileIsCreatedAndWrittenInPiecesAfterEachPrompt) {
    EXPECT_EQ(ToModem("AT+FSMEM\r\n"), "\r\n+FSMEM: C:1048576bytes\r\n" + Ok);
    EXPECT_EQ(ToModem("AT+FSCREATE=C:\\A.AMR\r\n"), Ok);
    EXPECT_EQ(ToModem("AT+FSCREATE=C:\\A.AMR\r\n"), Error) << "it is there already";
    EXPECT_EQ(ToModem("AT+FSWRITE=C:\\A.AMR,1,5,1000\r\n"), Prompt);
    EXPECT_TRUE(ToModem("\r\nAT").isEmpty()) << "the data is data, whatever it holds";
    EXPECT_EQ(ToModem("X"), Ok);
    EXPECT_EQ(ToModem("AT+FSWRITE=C:\\A.AMR,1,0,1000\r\n"), Prompt);
    EXPECT_EQ(ToModem({}), Ok) << "a write of nothing ends with the empty data frame";
    EXPECT_EQ(ToModem("AT+FSWRITE=C:\\A.AMR,1,2,1000\r\n"), Prompt);
    EXPECT_EQ(ToModem("YZAT\r\n"), Ok + Ok) << "what follows the data is a command again";
    EXPECT_EQ(device.ModemFiles(), (QMap<QByteArray, QByteArray>{{"C:\\A.AMR", "\r\nATXYZ"}}));
    EXPECT_EQ(device.ModemFreeMemory(), 1048576 - 7);
    EXPECT_EQ(ToModem("AT+FSWRITE=C:\\A.AMR,0,1,1000\r\n"), Prompt);
    EXPECT_EQ(ToModem("Q"), Ok);
    EXPECT_EQ(device.ModemFiles().value("C:\\A.AMR"), "Q") << "mode 0 writes afresh";
    EXPECT_EQ(ToModem("AT+FSDEL=C:\\A.AMR\r\n"), Ok);
    EXPECT_EQ(ToModem("AT+FSDEL=C:\\A.AMR\r\n"), Error);
    EXPECT_TRUE(device.ModemFiles().isEmpty());
}

TEST_F(ModemStore, WritesItCannotTakeAreRefused) {
    SimFaults small;
    small.modemFlashBytes = 4;
    Start(small);
    ToModem("AT+FSCREATE=C:\\A,B\r\n");
    ToModem("AT+FSCREATE=C:\\F\r\n");
    for (const QByteArray line : {"AT+FSWRITE=C:\\MISSING,1,1,1000\r\n", "AT+FSWRITE=C:\\A,B,1,1,1000\r\n",
                                  "AT+FSWRITE=C:\\F,2,1,1000\r\n", "AT+FSWRITE=C:\\F,1,-1,1000\r\n",
                                  "AT+FSWRITE=D:\\F,1,1,1000\r\n"})
        EXPECT_EQ(ToModem(line), Error) << line.constData();
    EXPECT_EQ(ToModem("AT+FSWRITE=C:\\F,1,5,1000\r\n"), Prompt);
    EXPECT_EQ(ToModem("12345"), Error) << "more than the drive holds";
    EXPECT_EQ(device.ModemFiles().value("C:\\F"), "");
}

TEST_F(ModemStore, FaultsOfTheFileSystem) {
    SimFaults noPrompt, noAck;
    noPrompt.modemNoPrompt = true;
    noAck.modemNoWriteAck = true;
    Start(noPrompt);
    ToModem("AT+FSCREATE=C:\\F\r\n");
    EXPECT_EQ(ToModem("AT+FSWRITE=C:\\F,1,1,1000\r\n"), Error);
    Start(noAck);
    EXPECT_EQ(ToModem("AT+FSWRITE=C:\\F,1,1,1000\r\n"), Prompt);
    EXPECT_TRUE(ToModem("1").isEmpty());
    EXPECT_EQ(device.ModemFiles().value("C:\\F"), "1") << "kept, only not acknowledged";
}

TEST_F(ModemStore, ThePhoneBookKeepsWhatAtCpbwWrites) {
    EXPECT_EQ(ToModem("AT+CPBW=1,\"00000\",145,\"KOVA TEST\"\r\n"), Ok);
    EXPECT_EQ(device.ModemPhoneBook().value(1), (SimPhoneBookEntry{"00000", 145, "KOVA TEST"}));
    EXPECT_EQ(ToModem("AT+CPBW=1,\"00000\",145,\"\"\r\n"), Ok);
    EXPECT_EQ(device.ModemPhoneBook().value(1), (SimPhoneBookEntry{"00000", 145, ""}));
    EXPECT_EQ(ToModem("AT+CPBW=0,\"1\",145,\"X\"\r\n"), Error);
    EXPECT_EQ(ToModem("AT+CPBW=1,\"1\",145\r\n"), Error);
    EXPECT_EQ(ToModem("AT+CPBW=1\r\n"), Ok);
    EXPECT_TRUE(device.ModemPhoneBook().isEmpty());

    SimFaults error;
    error.phoneBookError = true;
    Start(error);
    EXPECT_EQ(ToModem("AT+CPBW=1,\"00000\",145,\"KOVA TEST\"\r\n"), Error);
    EXPECT_TRUE(device.ModemPhoneBook().isEmpty());
}

TEST_F(ModemStore, AMessageInTextModeGoesWithCtrlZAndStaysUnsentWithEsc) {
    EXPECT_EQ(ToModem("AT+CMGS=\"+7900\"\r\n"), Error) << "not in text mode";
    EXPECT_EQ(ToModem("AT+CMGF=1\r\n"), Ok);
    EXPECT_EQ(ToModem("AT+CSCS=\"GSM\"\r\n"), Ok);
    EXPECT_EQ(ToModem("AT+CMGS=\"+7900\"\r\n"), Prompt);
    EXPECT_TRUE(ToModem("AT\r\n").isEmpty());
    EXPECT_EQ(ToModem(QByteArray("12\0", 3) + "\x1a"), "\r\n+CMGS: 1\r\n" + Ok);
    EXPECT_EQ(ToModem("AT+CMGS=\" 1 \"\r\n"), Prompt);
    EXPECT_EQ(ToModem("lost\x1b"), Ok);
    EXPECT_EQ(ToModem("AT\r\n"), Ok);
    EXPECT_EQ(device.ModemMessages(), (QList<SimSms>{{"+7900", QByteArray("AT\r\n12\0", 7)}}));

    SimFaults noPrompt;
    noPrompt.modemNoPrompt = true;
    Start(noPrompt);
    ToModem("AT+CMGF=1\r\n");
    EXPECT_EQ(ToModem("AT+CMGS=\"+7900\"\r\n"), Error);
}

TEST_F(ModemStore, TheImeiCanBeMadeShortOrMissing) {
    SimFaults faults;
    faults.modemImei = "12345";
    Start(faults);
    EXPECT_EQ(ToModem("AT+GSN\r\n"), "\r\n12345\r\n" + Ok);
}

}  // namespace
