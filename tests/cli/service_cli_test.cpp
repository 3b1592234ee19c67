// kova-cli's engineering commands against the simulated tracker on a pty.
#include "CliRunner.h"
#include "SimPort.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <thread>

namespace {

class ServiceCli : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim.Start()); }
    QStringList OnPort(const QStringList& arguments) { return QStringList{"--port", sim.Path()} + arguments; }

    SimPort sim;
};

TEST(ServiceCliUsage, BadWordsAreUsageErrorsAndNoDeviceIsAFailure) {
    struct Case {
        QStringList arguments;
        int status;
        const char* stderrHolds;
    };
    const Case cases[] = {
        {{"gps", "maybe"}, 2, "'on' or 'off'"},
        {{"modem"}, 2, "'on' or 'off'"},
        {{"nmea", "--seconds", "0"}, 2, "--seconds"},
        {{"nmea", "extra"}, 2, "no arguments"},
        {{"--port", "/dev/kova-no-such-port", "modem", "on"}, 1, "Устройство не подключено"},
        {{"--port", "/dev/kova-no-such-port", "gps", "off"}, 1, "Устройство не подключено"},
        {{"--port", "/dev/kova-no-such-port", "nmea", "--seconds", "1"}, 1, "Устройство не подключено"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.stderrHolds))) << run.err.toStdString();
    }
}

TEST_F(ServiceCli, ModuleCommandsPrintTheLogLineAndTellByExitStatus) {
    struct Case {
        QStringList arguments;
        const char* line;
    };
    const Case cases[] = {
        {{"gps", "on"}, "GPS/ГЛОНАСС модуль запущен"},
        {{"gps", "off"}, "GPS/ГЛОНАСС модуль остановлен"},
        {{"modem", "on"}, "Запуск модема...\nМодем запущен\nМодем сконфигурирован"},
        {{"modem", "off"}, "Модем остановлен"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(OnPort(c.arguments));
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.err, QString::fromUtf8(c.line) + "\n");
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_FALSE(sim.Device().GpsOn());

    SimFaults silent;
    silent.silentAfterFrames = 0;
    sim.SetFaults(silent);
    const CliRun failed = RunCli(OnPort({"gps", "on"}));
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "GPS/ГЛОНАСС модуль не запущен\n");
}

TEST_F(ServiceCli, ATerminatedOperationStopsAtItsStep) {
    SimFaults silent;
    silent.silentAfterFrames = 0;
    sim.SetFaults(silent);
    QProcess cli;
    StartCli(cli, OnPort({"gps", "on"}));
    ASSERT_TRUE(sim.Device().WaitForFrames(1, 30000));
    cli.terminate();
    const CliRun run = Finish(cli);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("Операция остановлена")) << run.err.toStdString();
}

TEST_F(ServiceCli, NmeaRelaysTheStreamUnchangedAndSendsNothing) {
    QProcess cli;
    StartCli(cli, OnPort({"nmea"}));
    // Until the relay is connected, what the module says goes nowhere.
    QByteArray out;
    QElapsedTimer clock;
    clock.start();
    while (out.isEmpty() && clock.elapsed() < 20000) {
        sim.SendUnasked("$GPTXT,waiting*00\r\n");
        if (cli.waitForReadyRead(300))
            out += cli.readAllStandardOutput();
    }
    QByteArray sent;
    for (int second = 0; second < 3; ++second) {
        const QByteArray sentence = QByteArray("$GPRMC,12000") + QByteArray::number(second) + ",A*00\r\n";
        sim.SendUnasked(sentence.left(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sim.SendUnasked(sentence.mid(5));
        sent += sentence;
    }
    clock.restart();
    while (!out.contains(sent) && clock.elapsed() < 20000)
        if (cli.waitForReadyRead(200))
            out += cli.readAllStandardOutput();
    cli.terminate();
    const CliRun run = Finish(cli);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(out.contains(sent)) << out.toStdString();
    EXPECT_EQ(out.count("$GPRMC"), 3);
    EXPECT_EQ(sim.Device().FrameCount(), 0);
}

TEST_F(ServiceCli, NmeaStatusSaysWhatTheModuleReports) {
    sim.Device().SetGpsFixAfter(0);
    sim.Device().SetGpsPowered(true);
    const CliRun run = RunCli(OnPort({"nmea", "--seconds", "3", "--status"}));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("$GNRMC"));
    EXPECT_TRUE(run.err.contains("Фикс: 3D")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("ГЛОНАСС")) << run.err.toStdString();
}

TEST_F(ServiceCli, NmeaEndsAfterItsSeconds) {
    const CliRun run = RunCli(OnPort({"nmea", "--seconds", "1"}));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
}

}  // namespace
