#include "NmeaTestSupport.h"
#include "PtyClient.h"
#include "SimMemoryMap.h"
#include "SimTestSupport.h"
#include "settings/SettingsSlots.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#if defined(__linux__)
#include <csignal>
#include <sys/prctl.h>
#endif

namespace {

const QByteArray Ack(1, '\x01');
const std::uint32_t PinAddress = SettingsSlots::SlotAddress(Slot::Pin);
constexpr int WaitMs = 10000;  // only ever waited out when something is broken

// kova-sim started as a program, as trainers and the end-to-end checks start it.
class KovaSimProgram {
public:
    explicit KovaSimProgram(const QStringList& arguments) {
        process_.setProgram(QStringLiteral(KOVA_BIN_DIR "/kova-sim"));
        process_.setArguments(arguments);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
#if defined(__linux__)
        // Should this test die, the simulator is told to end rather than left serving forever.
        process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
#endif
        process_.start();
    }
    ~KovaSimProgram() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(WaitMs);
        }
    }

    // The first line it prints: the terminal's path.
    QString Path() {
        while (!process_.canReadLine() && process_.waitForReadyRead(WaitMs)) {
        }
        return QString::fromLocal8Bit(process_.readLine()).trimmed();
    }

    // Asks it to stop as a service manager would; its exit code, or -1 when it did not end cleanly.
    int Terminate() {
        process_.terminate();
        if (!process_.waitForFinished(WaitMs) || process_.exitStatus() != QProcess::NormalExit)
            return -1;
        return process_.exitCode();
    }

    int ExitCode() {
        process_.waitForFinished(WaitMs);
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

private:
    QProcess process_;
};

class KovaSimTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "test_sim";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) {
            static QCoreApplication app(argc, argv);
        }
    }

    QByteArray ReadPin(const QString& path) {
        PtyClient client(path);
        if (!client.Write(Frame(DeviceCommand::ReadSlot, PinAddress)))
            return {};
        return client.Read(32, WaitMs);
    }

    QTemporaryDir dir;
};

TEST_F(KovaSimTest, PrintsAPathThatServesTheDeviceAndEndsCleanlyOnTerminate) {
    KovaSimProgram sim({});
    const QString path = sim.Path();
    ASSERT_TRUE(path.startsWith(QLatin1Char('/'))) << path.toStdString();
    EXPECT_EQ(ReadPin(path), SlotOf("5938"));
    EXPECT_EQ(sim.Terminate(), 0);
}

TEST_F(KovaSimTest, SettingsSurviveARestartAndTheFlashedImageIsWrittenOut) {
    const QString state = dir.filePath(QStringLiteral("device.state"));
    const QString flash = dir.filePath(QStringLiteral("flash.bin"));
    {
        KovaSimProgram sim({QStringLiteral("--state"), state, QStringLiteral("--flash-out"), flash});
        PtyClient client(sim.Path());
        ASSERT_TRUE(client.Write(Frame(DeviceCommand::WriteSlot, PinAddress, SlotOf("1111"))));
        ASSERT_EQ(client.Read(1, WaitMs), Ack);
        ASSERT_TRUE(client.Write(Frame(DeviceCommand::EraseFirmware, 0)));
        ASSERT_EQ(client.Read(1, WaitMs), Ack);
        for (int offset = 0; offset < 3000; offset += 2048) {
            const QByteArray piece = Pattern(3000).mid(offset, 2048);
            ASSERT_TRUE(client.Write(Frame(DeviceCommand::WriteFirmware, SimMemoryMap::FirmwareBase + offset, piece)));
            ASSERT_EQ(client.Read(1, WaitMs), Ack);
        }
        EXPECT_EQ(sim.Terminate(), 0);
    }
    QFile image(flash);
    ASSERT_TRUE(image.open(QIODevice::ReadOnly));
    EXPECT_EQ(image.readAll(), Pattern(3000));

    KovaSimProgram again({QStringLiteral("--state"), state});
    EXPECT_EQ(ReadPin(again.Path()), SlotOf("1111"));
    EXPECT_EQ(again.Terminate(), 0);
}

TEST_F(KovaSimTest, AStateFileItCannotReadIsLeftAloneAndTheStartRefused) {
    const QString state = dir.filePath(QStringLiteral("notes.txt"));
    QFile file(state);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("someone's notes, not a device");
    file.close();

    KovaSimProgram sim({QStringLiteral("--state"), state});

    EXPECT_EQ(sim.ExitCode(), 2);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "someone's notes, not a device");
}

TEST_F(KovaSimTest, NonsenseNumbersAreRefused) {
    for (const QStringList& arguments : {QStringList{"--delay", "soon"}, QStringList{"--close-after", "0"},
                                         QStringList{"--silent-after", "-1"}, QStringList{"--modem-answers-from", "0"},
                                         QStringList{"--gps-fix-after", "-1"}, QStringList{"--nmea-period", "0"},
                                         QStringList{"--nmea-period", "fast"}}) {
        KovaSimProgram sim(arguments);
        EXPECT_EQ(sim.ExitCode(), 2) << arguments.join(' ').toStdString();
    }
}

struct FaultOption {
    QStringList arguments;
    int answerSize;  // of a slot read
    bool hangsUp;
};

class KovaSimFaults : public KovaSimTest, public testing::WithParamInterface<FaultOption> {};

TEST_P(KovaSimFaults, OptionsMakeTheDeviceMisbehave) {
    KovaSimProgram sim(GetParam().arguments);
    PtyClient client(sim.Path());
    ASSERT_TRUE(client.Write(Frame(DeviceCommand::ReadSlot, PinAddress)));
    const QByteArray answer = client.Read(32, GetParam().answerSize == 32 ? WaitMs : 300);

    EXPECT_EQ(answer.size(), GetParam().answerSize);
    if (answer.size() == 32) {
        EXPECT_NE(answer, SlotOf("5938"));
    }
    EXPECT_EQ(client.WaitForHangUp(GetParam().hangsUp ? WaitMs : 0), GetParam().hangsUp);
    EXPECT_EQ(sim.Terminate(), 0);
}

INSTANTIATE_TEST_SUITE_P(Options, KovaSimFaults,
                         testing::Values(FaultOption{{"--short"}, 31, false}, FaultOption{{"--garbage"}, 32, false},
                                         FaultOption{{"--silent-after", "0"}, 0, false},
                                         FaultOption{{"--close-after", "1"}, 0, true}));

TEST_F(KovaSimTest, WithTheModuleOnItSendsNmeaUnasked) {
    KovaSimProgram sim({QStringLiteral("--gps-on")});
    PtyClient client(sim.Path());
    const QByteArray stream = client.Read(1500, WaitMs);  // a little over two seconds' worth

    const QList<QByteArray> lines = NmeaLines(stream);
    ASSERT_GE(lines.size(), 8);
    EXPECT_FALSE(NmeaOf(stream, "GNRMC").isEmpty());
    EXPECT_FALSE(NmeaOf(stream, "GLGSV").isEmpty());
    for (const QByteArray& line : lines.mid(1))  // the first may have been cut by opening mid-second
        EXPECT_TRUE(HasValidChecksum(line)) << line.constData();
    EXPECT_EQ(sim.Terminate(), 0);
}

TEST_F(KovaSimTest, TheModuleSetUpByOptionsHasAFixAtOnceAndQuickSeconds) {
    KovaSimProgram sim({QStringLiteral("--gps-on"), QStringLiteral("--gps-fix-after"), QStringLiteral("0"),
                        QStringLiteral("--nmea-period"), QStringLiteral("50")});
    PtyClient client(sim.Path());
    const QByteArray stream = client.Read(3000, WaitMs);
    const QList<QByteArray> rmc = NmeaOf(stream, "GNRMC");
    ASSERT_GE(rmc.size(), 3);
    EXPECT_EQ(NmeaFields(rmc.last())[1], "A");
    EXPECT_EQ(sim.Terminate(), 0);
}

struct ModemDialogue {
    QStringList arguments;
    QList<QPair<QByteArray, QByteArray>> exchanges;  // line sent, answer expected
};

void PrintTo(const ModemDialogue& dialogue, std::ostream* out) {
    *out << (dialogue.arguments.isEmpty() ? QStringLiteral("(none)") : dialogue.arguments.join(' ')).toStdString();
}

class KovaSimModem : public KovaSimTest, public testing::WithParamInterface<ModemDialogue> {};

TEST_P(KovaSimModem, OptionsStartTheModemAndMakeItMisbehave) {
    KovaSimProgram sim(GetParam().arguments);
    PtyClient client(sim.Path());
    for (const auto& [line, expected] : GetParam().exchanges) {
        ASSERT_TRUE(client.Write(Frame(DeviceCommand::ModemPassThrough, 0, line)));
        const QByteArray answer = client.Read(static_cast<int>(expected.size()) + 1, expected.isEmpty() ? 300 : 1000);
        EXPECT_EQ(answer, expected) << line.constData();
    }
    EXPECT_EQ(sim.Terminate(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Options, KovaSimModem,
    testing::Values(ModemDialogue{{}, {{"AT\r\n", ""}}},
                    ModemDialogue{{"--modem-on"}, {{"AT\r\n", "AT\r\n\r\nOK\r\n"}, {"ATE0\r\n", "ATE0\r\n\r\nOK\r\n"}, {"AT\r\n", "\r\nOK\r\n"}}},
                    ModemDialogue{{"--modem-on", "--ate0-error"}, {{"ATE0\r\n", "ATE0\r\n\r\nERROR\r\n"}}},
                    ModemDialogue{{"--modem-on", "--modem-silent"}, {{"AT\r\n", ""}}},
                    ModemDialogue{{"--modem-on", "--modem-answers-from", "3"},
                                  {{"AT\r\n", ""}, {"AT\r\n", ""}, {"AT\r\n", "AT\r\n\r\nOK\r\n"}}},
                    ModemDialogue{{"--modem-on", "--modem-flash", "10", "--modem-no-prompt"},
                                  {{"ATE0\r\n", "ATE0\r\n\r\nOK\r\n"},
                                   {"AT+FSMEM\r\n", "\r\n+FSMEM: C:10bytes\r\n\r\nOK\r\n"},
                                   {"AT+FSCREATE=C:\\F\r\n", "\r\nOK\r\n"},
                                   {"AT+FSWRITE=C:\\F,1,1,1000\r\n", "\r\nERROR\r\n"}}},
                    ModemDialogue{{"--modem-on", "--modem-no-write-ack", "--phonebook-error", "--imei", "123"},
                                  {{"ATE0\r\n", "ATE0\r\n\r\nOK\r\n"},
                                   {"AT+GSN\r\n", "\r\n123\r\n\r\nOK\r\n"},
                                   {"AT+CPBW=1,\"1\",145,\"\"\r\n", "\r\nERROR\r\n"},
                                   {"AT+FSCREATE=C:\\F\r\n", "\r\nOK\r\n"},
                                   {"AT+FSWRITE=C:\\F,1,1,1000\r\n", "\r\n> "},
                                   {"1", ""}}}));

}  // namespace
