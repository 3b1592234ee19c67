// kova-cli's modem operations against the simulated tracker on a pty.
#include "CliRunner.h"
#include "SimPort.h"

#include "link/CommandFrame.h"
#include "service/ModemText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

namespace {

const QByteArray Voice = QByteArray("#!AMR\n") + QByteArray(594, 'v');

class ModemCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Start());
        ASSERT_EQ(RunCli(OnPort({"modem", "on"})).status, 0);
        framesBefore = sim.Device().FrameCount();
    }
    QStringList OnPort(const QStringList& arguments) { return QStringList{"--port", sim.Path()} + arguments; }
    void Put(const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    int FramesSent() { return sim.Device().FrameCount() - framesBefore; }

    SimPort sim;
    QTemporaryDir folder;
    int framesBefore = 0;
};

TEST_F(ModemCli, VoiceUploadWritesTheFoldersVoiceFilesWithProgressLines) {
    Put("A.AMR", Voice);
    Put("b.amr", "#!AMR\nxyz");
    Put("notes.txt", "not listed");
    const CliRun run = RunCli(OnPort({"voice-upload", folder.path()}));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith("Файлы успешно записаны\n")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("\n0/609\n")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("\n609/609\n")) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains('\r')) << "no bar when stderr is no terminal";
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(sim.Device().ModemFiles(),
              (QMap<QByteArray, QByteArray>{{"C:\\A.AMR", Voice}, {"C:\\b.amr", "#!AMR\nxyz"}}));
}

TEST_F(ModemCli, AWarningIsNoErrorButAFailedUploadIs) {
    Put("TEXT.AMR", "plain text");
    const CliRun warned = RunCli(OnPort({"voice-upload", folder.path()}));
    EXPECT_EQ(warned.status, 0) << warned.err.toStdString();
    EXPECT_TRUE(warned.err.contains("TEXT.AMR не начинается с заголовка AMR"));

    SimFaults noPrompt;
    noPrompt.modemNoPrompt = true;
    sim.SetFaults(noPrompt);
    const CliRun failed = RunCli(OnPort({"voice-upload", folder.path()}));
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.err.endsWith("Ошибка во время записи файла (нет приглашения)\n")) << failed.err.toStdString();
}

TEST_F(ModemCli, TheSimCardAndTheCallTellByExitStatus) {
    struct Case {
        QStringList arguments;
        const char* line;
    };
    const Case cases[] = {
        {{"test-sim", "create"}, "SIM-карта для тестирования создана"},
        {{"test-sim", "deactivate"}, "SIM-карта для тестирования деактивирована"},
        {{"call", " +79001234567"}, "Звонок..."},
        {{"hangup"}, "Звонок отменен"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(OnPort(c.arguments));
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.err, QString::fromUtf8(c.line) + "\n");
    }
    ASSERT_TRUE(sim.Device().WaitForFrames(framesBefore + 4, 10000));
    EXPECT_EQ(sim.Device().ModemCalls(), (QList<SimCall>{{" +79001234567", true}}));

    SimFaults error;
    error.phoneBookError = true;
    sim.SetFaults(error);
    const CliRun failed = RunCli(OnPort({"test-sim", "create"}));
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "Ошибка создания тестовой SIM-карты\n");
}

TEST_F(ModemCli, SmsImeiSendsTheImeiAndRefusesAMissingNumber) {
    const CliRun sent = RunCli(OnPort({"sms-imei", "+79001234567"}));
    EXPECT_EQ(sent.status, 0) << sent.err.toStdString();
    EXPECT_EQ(sent.err, "SMS отправлено\n");
    ASSERT_TRUE(sim.Device().WaitForFrames(framesBefore + 5, 10000));
    EXPECT_EQ(sim.Device().ModemMessages(), (QList<SimSms>{{"+79001234567", SimModem::Imei}}));

    const int frames = sim.Device().FrameCount();
    const CliRun empty = RunCli(OnPort({"sms-imei", ""}));
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, NoPhoneNumberText() + "\n");
    EXPECT_EQ(sim.Device().FrameCount(), frames);
}

TEST_F(ModemCli, ValuesTheCommandLineCannotCarryAreUsageErrorsWithNothingSent) {
    Put("A,1.AMR", Voice);
    struct Case {
        QStringList arguments;
        QString stderrHolds;
    };
    const Case cases[] = {
        {{"sms-imei", "1\"\r\nATD2"}, PhoneNumberRefusedText()},
        {{"call", "12\x1b"}, PhoneNumberRefusedText()},
        {{"voice-upload", folder.path()}, FileNameRefusedText("A,1.AMR")},
        {{"voice-upload", folder.filePath("missing")}, "no folder"},
        {{"voice-upload"}, "folder"},
        {{"sms-imei"}, "phone number"},
        {{"test-sim", "maybe"}, "'create' or 'deactivate'"},
        {{"hangup", "now"}, "no arguments"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(OnPort(c.arguments));
        EXPECT_EQ(run.status, 2) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.stderrHolds)) << run.err.toStdString();
    }
    EXPECT_EQ(FramesSent(), 0);
}

TEST_F(ModemCli, ATerminatedSmsLeavesMessageEntry) {
    QProcess cli;
    StartCli(cli, OnPort({"sms-imei", "+79001234567"}));
    QElapsedTimer clock;
    clock.start();
    while (!sim.Device().ModemLines().last().startsWith("AT+CMGS") && clock.elapsed() < 30000)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    cli.terminate();  // during the pause before the text
    const CliRun run = Finish(cli);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("Операция остановлена")) << run.err.toStdString();
    ASSERT_TRUE(sim.Device().WaitForFrames(framesBefore + 5, 10000));
    EXPECT_EQ(sim.Device().Frames().last(), CommandFrame::Build(DeviceCommand::ModemPassThrough, 0, "\x1b").value());
    EXPECT_TRUE(sim.Device().ModemMessages().isEmpty());
}

}  // namespace
