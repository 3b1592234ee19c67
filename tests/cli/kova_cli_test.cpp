#include "SimPort.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

CliRun RunCli(const QStringList& arguments) {
    QProcess cli;
    cli.start(QStringLiteral(KOVA_BIN_DIR "/kova-cli"), arguments);
    cli.closeWriteChannel();
    if (!cli.waitForFinished(60000))
        cli.kill();
    return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
            QString::fromUtf8(cli.readAllStandardOutput()), QString::fromUtf8(cli.readAllStandardError())};
}

class KovaCli : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim.Start()); }
    CliRun Run(QStringList arguments) { return RunCli(QStringList{"--port", sim.Path()} + arguments); }
    QString File(const char* name) const { return dir.filePath(name); }

    SimPort sim;
    QTemporaryDir dir;
};

TEST(KovaCliUsage, ExitStatusTellsSuccessFailureAndUsageErrors) {
    struct Case {
        QStringList arguments;
        int status;
        const char* stderrHolds;
    };
    const Case cases[] = {
        {{"--help"}, 0, ""},
        {{"flash", "--help"}, 0, ""},
        {{}, 2, ""},
        {{"bogus"}, 2, "unknown command"},
        {{"raw", "1"}, 2, "raw takes"},
        {{"raw", "1", "0", QString(5002, 'a')}, 2, "at most 2500"},
        {{"--port", "/dev/kova-no-such-port", "detect"}, 1, "Устройство не подключено"},
        {{"--port", "/dev/kova-no-such-port", "read"}, 1, "Устройство не подключено"},
        {{"show", "/nonexistent/x.cfg"}, 1, "Ошибка"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').left(60).toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.stderrHolds))) << run.err.toStdString();
    }
}

TEST_F(KovaCli, ReadsWritesAndSavesTheSettingsOfTheSimulatedTracker) {
    const CliRun write = Run({"write", "--set", "TimeZone=5", "--set", "OwnerPhone=+79001234567"});
    ASSERT_EQ(write.status, 0) << write.err.toStdString();
    EXPECT_TRUE(write.err.contains("Настройки успешно записаны"));
    EXPECT_EQ(sim.Device().SlotText(Slot::TimeZone), "5");

    const CliRun read = Run({"read", "--save", File("read.cfg")});
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    const QStringList lines = read.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 29);
    EXPECT_EQ(lines[0], "OwnerPhone=+79001234567");
    EXPECT_EQ(lines[2], "TimeZone=5");

    const CliRun show = RunCli({"show", File("read.cfg")});
    EXPECT_EQ(show.status, 0);
    EXPECT_TRUE(show.out.contains("TimeZone=5\n"));
    EXPECT_FALSE(show.out.contains("WialonHost=")) << "the file does not carry the Wialon server";
}

TEST_F(KovaCli, WriteRefusesBadValuesBeforeTalkingToTheTracker) {
    for (const QStringList& arguments : {QStringList{"write", "--set", "Nope=1"},
                                         QStringList{"write", "--set", "Pin=" + QString(40, '1')},
                                         QStringList{"write", "--set", "OwnerPhone=日本"}}) {
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.status, 2) << run.err.toStdString();
    }
    EXPECT_EQ(sim.Device().FrameCount(), 0);
}

TEST_F(KovaCli, FlashesAFirmwareFileWithProgressLines) {
    QFile file(File("new.fmw"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray payload(5000, 'p');
    file.write(QByteArray(15, 'h') + payload);
    file.close();
    const CliRun run = Run({"flash", File("new")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("2048/5000\n4096/5000\n5000/5000\n")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Прошивка успешно обновлена"));
    EXPECT_EQ(sim.Device().FirmwareImage(), payload);
}

TEST_F(KovaCli, DefaultsAndTheCommandFile) {
    const CliRun defaults = RunCli({"defaults"});
    EXPECT_EQ(defaults.status, 0);
    EXPECT_TRUE(defaults.out.contains("Pin=5938\n"));
    const CliRun command = RunCli({"command-file", "--mode", "test", File("command.cfg")});
    ASSERT_EQ(command.status, 0) << command.err.toStdString();
    QFile written(File("command.cfg"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().size(), 3);
    EXPECT_EQ(RunCli({"command-file", "--mode", "weekly", File("c.cfg")}).status, 2);
}

}  // namespace
