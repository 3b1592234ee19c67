// kova-cli gps-flash against the simulated tracker on a pty, with the device's own waits and pauses.
#include "CliRunner.h"
#include "SimPort.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Pattern(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 5 + 3);
    return bytes;
}

class GpsFlashCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Start());
        loader = Write("loader.bin", Pattern(11892));
        firmware = Write("firmware.bin", Pattern(5000));
    }
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QStringList OnPort(const QStringList& arguments) { return QStringList{"--port", sim.Path()} + arguments; }

    QTemporaryDir dir;
    SimPort sim;
    QString loader, firmware;
};

TEST_F(GpsFlashCli, UsageAndMissingFiles) {
    EXPECT_EQ(RunCli(OnPort({"gps-flash", loader})).status, 2);
    const CliRun missing = RunCli(OnPort({"gps-flash", dir.filePath("none"), firmware}));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Ошибка открытия файла загрузчика\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("none")));
    EXPECT_EQ(sim.Device().FrameCount(), 0);
}

TEST_F(GpsFlashCli, AnUpdateLogsItsStepsAndEndsWith0) {
    const CliRun run = RunCli(OnPort({"gps-flash", loader, firmware}));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith("Переход в режим программирования...\n")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Запись загрузчика...\n"));
    EXPECT_TRUE(run.err.trimmed().endsWith("Прошивка GPS модуля завершена")) << run.err.toStdString();
    EXPECT_EQ(sim.Device().GpsFirmwareImage(), Pattern(5000));
    EXPECT_EQ(sim.Device().GpsBaud(), 9600u);
}

TEST_F(GpsFlashCli, ATerminatedUpdateSwitchesTheLineBack) {
    SimFaults faults;
    faults.gpsAnswerCountStep = 8;  // the loader pieces go unanswered
    faults.gpsAnswerCount = 0;
    sim.SetFaults(faults);
    QProcess cli;
    StartCli(cli, OnPort({"gps-flash", loader, firmware}));
    ASSERT_TRUE(sim.Device().WaitForFrames(2 + 8 + 1 + 7 + 1, 30000));
    cli.terminate();
    const CliRun run = Finish(cli);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("Операция остановлена: запись загрузчика")) << run.err.toStdString();
    EXPECT_TRUE(sim.Device().WaitForFrames(2 + 8 + 1 + 7 + 1 + 1, 5000));
    EXPECT_EQ(sim.Device().GpsBaud(), 9600u);
}

}  // namespace
