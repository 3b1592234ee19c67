// The GPS/GLONASS module firmware update against the simulated tracker on a pty, whose
// module has a boot ROM and a loader that check what they receive and keep what was written.
#include "RecordingReporter.h"
#include "SimPort.h"

#include "firmware/GpsBoot.h"
#include "firmware/Gpsupdatethread.h"
#include "link/CommandFrame.h"
#include "link/SerialLink.h"
#include "link/Timings.h"
#include "service/Servicethread.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

namespace {

QByteArray Pattern(int size, int seed) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + seed + i / 251) & 0xFF);
    return bytes;
}

QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

const QString Done = QStringLiteral("Прошивка GPS модуля завершена");

class GpsUpdate : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(sim.Start());
        sim.SetModuleTick(std::chrono::milliseconds(50));
        Timings& timings = MutableTimings();
        timings.ownCommandMs = 500;
        timings.gpsStartPauseMs = 0;
        timings.gpsModulePauseMs = 0;
        timings.gpsSentencePauseMs = 5;
        timings.gpsSyncTryMs = 100;
        timings.gpsBootReplyMs = 1000;
        timings.gpsChecksumPauseMs = 0;
        // Long enough for the loader's answers to the unawaited steps to arrive before the next send.
        timings.gpsLoaderPauseMs = 20;
        loader = Pattern(GpsBoot::LoaderSize, 3);
        firmware = Pattern(5000, 11);
        loaderPath = Write("loader.bin", loader);
        firmwarePath = Write("firmware.bin", firmware);
    }
    void TearDown() override {
        link.Close();
        sim.Stop();
        MutableTimings() = Timings{};
    }

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    bool Run(GPSUpdateThread* stoppable = nullptr) {
        reporter.Clear();
        framesBefore = sim.Device().FrameCount();
        if (stoppable)
            return stoppable->Execute();
        GPSUpdateThread job(link, {false, sim.Path()}, reporter, DeviceJobLease::TryTake());
        job.LoaderName = loaderPath;
        job.FirmwareName = firmwarePath;
        return job.Execute();
    }
    QStringList Logged() const { return reporter.LogLines(); }
    // The frames of the last run.
    QList<QByteArray> Frames() { return sim.Device().Frames().mid(framesBefore); }
    QList<QByteArray> PassedThrough() {
        QList<QByteArray> payloads;
        for (const QByteArray& frame : Frames())
            if (static_cast<std::uint8_t>(frame[0]) == 9)
                payloads << frame.mid(CommandFrame::HeaderSize);
        return payloads;
    }
    QByteArray LastFrame() { return Frames().isEmpty() ? QByteArray() : Frames().back(); }
    // The job's last frame may still be on its way to the device when the job returns.
    QByteArray SettledLastFrame() {
        QDeadlineTimer settle(2000);
        for (int count = -1; count != sim.Device().FrameCount() && !settle.hasExpired();) {
            count = sim.Device().FrameCount();
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return LastFrame();
    }
    static QByteArray BaudFrame(std::uint32_t rate) {
        return CommandFrame::Build(DeviceCommand::SetGPSBaud, rate).value();
    }
    void ExpectKept() {
        EXPECT_EQ(sim.Device().GpsFirmwareImage(), firmware);
        QByteArray padded = loader.left(GpsBoot::LoaderSize);
        padded.resize(GpsBoot::LoaderSize, '\0');
        EXPECT_EQ(sim.Device().GpsLoader(), padded);
        EXPECT_EQ(sim.Device().GpsPacketSumErrors(), 0);
    }

    QTemporaryDir dir;
    SimPort sim;
    SerialLink link;
    RecordingReporter reporter;
    QByteArray loader, firmware;
    QString loaderPath, firmwarePath;
    int framesBefore = 0;
};

TEST(GpsUpdateTimings, DefaultsAreTheModulesOwnFigures) {
    const Timings defaults;
    EXPECT_EQ(defaults.gpsStartPauseMs, 2000);
    EXPECT_EQ(defaults.gpsModulePauseMs, 50);
    EXPECT_EQ(defaults.gpsSentencePauseMs, 200);
    EXPECT_EQ(defaults.gpsSyncTryMs, 100);
    EXPECT_EQ(defaults.gpsSyncTries, 100);
    EXPECT_EQ(defaults.gpsBootReplyMs, 4000);
    EXPECT_EQ(defaults.gpsChecksumPauseMs, 1000);
    EXPECT_EQ(defaults.gpsLoaderPauseMs, 200);
    EXPECT_EQ(defaults.ownCommandMs, 2000);
}

TEST_F(GpsUpdate, AFiveThousandByteFirmwareGoesThroughTheWholeProtocol) {
    sim.Device().SetGpsPowered(true);
    ASSERT_TRUE(Run());
    EXPECT_EQ(Logged(), (QStringList{"Переход в режим программирования...", "Переключение скорости UART 115200...",
                                     "Подготовка GPS модуля...", "Запись загрузчика...",
                                     "Передача управления загрузчику...", "Запись прошивки...", Done}));
    EXPECT_TRUE(reporter.results.empty());
    ExpectKept();
    EXPECT_EQ(sim.Device().ProtocolErrors(), 0);

    // The device's own commands, then the pass-through of the sentences and the boot protocol.
    const QList<QByteArray> frames = Frames();
    ASSERT_GE(frames.size(), 4);
    EXPECT_EQ(frames[0], CommandFrame::Build(DeviceCommand::StopGPS, 0).value());
    EXPECT_EQ(frames[1], CommandFrame::Build(DeviceCommand::StartGPS, 0).value());
    const QList<QByteArray> passed = PassedThrough();
    ASSERT_EQ(passed.size(), 8 + 1 + 6 + 1190 + 1 + 2 + 2 + 6 + 3 + 2);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(passed[i], "$PMTK180*3B\r\n");
    for (int i = 5; i < 8; ++i)
        EXPECT_EQ(passed[i], "$PMTK251,115200*1F\r\n");
    EXPECT_EQ(frames[10], BaudFrame(115200));
    const QList<QByteArray> boot = passed.mid(8);
    EXPECT_EQ(boot[0], Hex("A0"));  // the first A0 is answered: one try
    EXPECT_EQ(boot.mid(1, 6), (QList<QByteArray>{Hex("0A"), Hex("50"), Hex("05"), Hex("A1"), Hex("00000C00"),
                                                 Hex("0000173A")}));
    const QList<QByteArray> pieces = boot.mid(7, 1190);
    EXPECT_EQ(pieces.first().size(), 10);
    EXPECT_EQ(pieces.last().size(), 2);
    const QList<QByteArray> tail = boot.mid(7 + 1190);
    EXPECT_EQ(tail.mid(0, 10), (QList<QByteArray>{Hex("A4"), Hex("00000C00"), Hex("0000173A"), Hex("A8"),
                                                  Hex("00000C00"), Hex("D3"), Hex("01"), Hex("00000000"),
                                                  Hex("00001387"), Hex("D5")}));
    EXPECT_EQ(tail[10], Hex("00000800"));
    ASSERT_EQ(tail.size(), 16);
    EXPECT_EQ(tail[11].size(), 2050);
    EXPECT_EQ(tail[12].size(), 2050);
    EXPECT_EQ(tail[13].size(), 906);
    EXPECT_EQ(tail[11], GpsBoot::Packet(firmware.left(2048)));
    EXPECT_EQ(tail[14], Hex("D9"));
    EXPECT_EQ(tail[15], Hex("D9"));
    EXPECT_EQ(SettledLastFrame(), BaudFrame(9600));

    // Progress: the loader pieces at their offsets, the packets at theirs, then 0.
    ASSERT_EQ(reporter.progress.size(), 1190u + 3u + 1u);
    EXPECT_EQ(reporter.progress.front(), (std::pair<qint64, qint64>{0, 11892}));
    EXPECT_EQ(reporter.progress[1189], (std::pair<qint64, qint64>{11890, 11892}));
    EXPECT_EQ(reporter.progress[1190], (std::pair<qint64, qint64>{0, 5000}));
    EXPECT_EQ(reporter.progress[1191], (std::pair<qint64, qint64>{2048, 5000}));
    EXPECT_EQ(reporter.progress[1192], (std::pair<qint64, qint64>{4096, 5000}));
    EXPECT_EQ(reporter.progress[1193], (std::pair<qint64, qint64>{0, 5000}));

    // The module runs normally again at 9600, and its NMEA is heard; the link stays open.
    EXPECT_TRUE(link.IsOpen());
    EXPECT_EQ(sim.Device().GpsBaud(), 9600u);
    EXPECT_FALSE(sim.Device().GpsBooting());
    EXPECT_TRUE(sim.Device().GpsOn());
    EXPECT_FALSE(sim.Device().TakeUnasked(QDateTime::currentDateTimeUtc()).isEmpty());
}

TEST_F(GpsUpdate, TheLoaderGoesOutAsByteSwappedWordsOfItsFirst11892Bytes) {
    struct Case {
        const char* what;
        QByteArray file;
    };
    QByteArray start = Hex("11223344") + Pattern(GpsBoot::LoaderSize - 4, 5);
    start[11890] = '\x0A';
    start[11891] = '\x0B';
    const Case cases[] = {
        {"exactly 11892 bytes", start},
        {"longer than 11892 bytes", start + Pattern(3000, 9)},
    };
    for (const Case& c : cases) {
        loader = c.file;
        loaderPath = Write("loader.bin", loader);
        ASSERT_TRUE(Run()) << c.what;
        const QList<QByteArray> pieces = PassedThrough().mid(8 + 7, 1190);
        EXPECT_TRUE(pieces.first().startsWith(Hex("22114433"))) << c.what;
        EXPECT_EQ(pieces.last(), Hex("0B0A")) << c.what;
        QByteArray sent;
        for (const QByteArray& piece : pieces)
            sent += piece;
        EXPECT_EQ(sent, GpsBoot::LoaderWire(loader)) << c.what;
        EXPECT_EQ(sim.Device().GpsLoader(), loader.left(GpsBoot::LoaderSize)) << c.what;
        EXPECT_FALSE(Logged().join('\n').contains("Внимание")) << c.what;
    }
}

TEST_F(GpsUpdate, AShortLoaderGoesOutZeroPaddedWithAWarning) {
    loader = Pattern(1000, 1);
    loaderPath = Write("loader.bin", loader);
    ASSERT_TRUE(Run());
    EXPECT_EQ(Logged().first(),
              "Внимание: файл загрузчика короче 11892 байт (1000 байт), недостающие байты будут переданы нулями");
    ExpectKept();
}

TEST_F(GpsUpdate, AModuleThatNeverAnswersTheSyncIsReportedAfterAHundredTries) {
    MutableTimings().gpsSyncTryMs = 10;
    SimFaults faults;
    faults.gpsNoSync = true;
    sim.SetFaults(faults);
    EXPECT_FALSE(Run());
    EXPECT_EQ(Logged().mid(0, 4), (QStringList{"Переход в режим программирования...",
                                               "Переключение скорости UART 115200...", "Подготовка GPS модуля...",
                                               "GPS модуль не отвечает"}));
    EXPECT_EQ(PassedThrough().mid(8), QList<QByteArray>(100, Hex("A0")));
    EXPECT_EQ(SettledLastFrame(), BaudFrame(9600));  // mended: the line goes back to 9600
    EXPECT_EQ(sim.Device().GpsBaud(), 9600u);
    EXPECT_FALSE(link.IsOpen());
}

TEST_F(GpsUpdate, AStepAnsweredWithTheWrongCountFailsWithItsText) {
    struct Case {
        int step;
        int count;
        const char* failure;
        const char* detail;
    };
    const Case cases[] = {
        {2, 0, "Ошибка на этапе 0x0A", "Получено 0 байт из 1"},
        {5, 0, "Ошибка на этапе 0xA1", "Получено 0 байт из 1"},
        {6, 3, "Ошибка на этапе передачи адреса", "Получено 3 байт из 4: 00 00 0C"},
        {7, 2, "Ошибка на этапе передачи размера загрузчика", "Получено 2 байт из 4: 00 00"},
        {8, 9, "Ошибка во время записи загрузчика", nullptr},
        {9, 0, "Ошибка на этапе A4", "Получено 0 байт из 1"},
        {11, 0, "Ошибка на этапе передачи адреса (Checksum)", "Получено 0 байт из 4"},
        {12, 5, "Ошибка на этапе передачи размера загрузчика", "Получено 5 байт из 6: 00 00 17 3A"},
        {13, 0, "Ошибка на этапе передачи управления загрузчику", "Получено 0 байт из 1"},
        {14, 23, "Ошибка на этапе передачи управления(адрес)", nullptr},
    };
    MutableTimings().gpsBootReplyMs = 200;
    for (const Case& c : cases) {
        SimFaults faults;
        faults.gpsAnswerCountStep = c.step;
        faults.gpsAnswerCount = c.count;
        sim.SetFaults(faults);
        EXPECT_FALSE(Run()) << c.step;
        const QStringList logged = Logged();
        const qsizetype failed = logged.indexOf(QString::fromUtf8(c.failure));
        ASSERT_GE(failed, 0) << c.step;
        ASSERT_EQ(failed, logged.size() - 2) << c.step;
        if (c.detail) {
            EXPECT_TRUE(logged.back().startsWith(QString::fromUtf8(c.detail))) << c.step << logged.back().toStdString();
        }
        EXPECT_EQ(SettledLastFrame(), BaudFrame(9600)) << c.step;
        EXPECT_FALSE(link.IsOpen()) << c.step;
    }
    // The module is left in its boot ROM, and the next update starts it afresh and works.
    sim.SetFaults({});
    EXPECT_TRUE(Run());
    ExpectKept();
}

TEST_F(GpsUpdate, ADeviceThatDoesNotAnswerCommand6Or4) {
    for (const int answered : {0, 1}) {
        SimFaults faults;
        faults.silentAfterFrames = answered;
        sim.SetFaults(faults);
        EXPECT_FALSE(Run()) << answered;
        EXPECT_EQ(Logged(), QStringList{"GPS/ГЛОНАСС модуль не остановлен"}) << answered;
        EXPECT_EQ(Frames().size(), answered + 1) << answered;  // no speed reset before step 8
        EXPECT_FALSE(link.IsOpen());
    }
}

TEST_F(GpsUpdate, FilesAreOnlyReadAndRefusedBeforeAnythingIsSent) {
    struct Case {
        const char* what;
        QString loader;
        QString firmware;
        QStringList logged;
    };
    const QString missing = dir.filePath("нет такого файла.bin");
    const QString empty = Write("empty.bin", {});
    const Case cases[] = {
        {"an empty loader path", QString(), firmwarePath, {"Ошибка открытия файла загрузчика", "Не указан файл загрузчика"}},
        {"a missing loader", missing, firmwarePath, {"Ошибка открытия файла загрузчика"}},
        {"a missing firmware", loaderPath, missing, {"Ошибка открытия файла прошивки"}},
        {"an empty firmware path", loaderPath, QString(), {"Ошибка открытия файла прошивки", "Не указан файл прошивки"}},
        {"an empty loader", empty, firmwarePath, {"Файл загрузчика пуст: обновление не начато"}},
        {"an empty firmware", loaderPath, empty, {"Файл прошивки пуст: обновление не начато"}},
    };
    for (const Case& c : cases) {
        reporter.Clear();
        const int before = sim.Device().FrameCount();
        GPSUpdateThread job(link, {false, sim.Path()}, reporter, DeviceJobLease::TryTake());
        job.LoaderName = c.loader;
        job.FirmwareName = c.firmware;
        EXPECT_FALSE(job.Execute()) << c.what;
        EXPECT_EQ(Logged(), c.logged) << c.what;
        EXPECT_EQ(sim.Device().FrameCount(), before) << c.what;
        EXPECT_FALSE(QFile::exists(missing)) << c.what;
        EXPECT_FALSE(link.IsOpen()) << c.what;
    }
}

TEST_F(GpsUpdate, APathTypedByHandIsUsedAsTyped) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("с пробелом"));
    firmwarePath = Write("с пробелом/fw .bin", firmware);
    ASSERT_TRUE(Run());
    EXPECT_EQ(Logged().back(), Done);
    ExpectKept();
}

TEST_F(GpsUpdate, WithNoDeviceTheBoxIsShownAndNothingLogged) {
    GPSUpdateThread job(link, {false, "/dev/kova-no-such-port"}, reporter, DeviceJobLease::TryTake());
    job.LoaderName = loaderPath;
    job.FirmwareName = firmwarePath;
    EXPECT_FALSE(job.Execute());
    ASSERT_EQ(reporter.results.size(), 1u);
    EXPECT_EQ(reporter.results[0], (std::pair<ReportKind, QString>{ReportKind::Failure, "Устройство не подключено"}));
    EXPECT_TRUE(Logged().isEmpty());
}

TEST_F(GpsUpdate, AFailureAtPacket2LeavesTheLinkOpenAndASecondUpdateWorks) {
    firmware = Pattern(64 * 1024, 2);
    firmwarePath = Write("firmware.bin", firmware);
    SimFaults faults;
    faults.gpsSilentAtPacket = 2;
    sim.SetFaults(faults);
    EXPECT_FALSE(Run());
    const QStringList logged = Logged();
    ASSERT_GE(logged.size(), 2);
    EXPECT_EQ(logged[logged.size() - 2], "Время ожидания ответа от МК истекло");
    EXPECT_TRUE(logged.back().startsWith("Пакет 2 из 32 (смещение 2048). Получено 0 байт из 1")) << logged.back().toStdString();
    EXPECT_TRUE(link.IsOpen());
    EXPECT_EQ(SettledLastFrame(), BaudFrame(9600));
    EXPECT_EQ(sim.Device().GpsBaud(), 9600u);

    ASSERT_TRUE(Run());
    EXPECT_EQ(Logged().back(), Done);
    ExpectKept();
}

TEST_F(GpsUpdate, AStopDuringTheLoaderSwitchesTheLineBackAndASecondUpdateWorks) {
    MutableTimings().gpsBootReplyMs = 20000;
    SimFaults faults;
    faults.gpsAnswerCountStep = 8;  // the loader pieces go unanswered: the job waits
    faults.gpsAnswerCount = 0;
    sim.SetFaults(faults);
    GPSUpdateThread job(link, {false, sim.Path()}, reporter, DeviceJobLease::TryTake());
    job.LoaderName = loaderPath;
    job.FirmwareName = firmwarePath;
    const int before = sim.Device().FrameCount();
    bool reached = false;
    std::thread stopper([&] {
        // Steps 4 to 8 and 1 to 7 of the boot protocol, then the first loader piece.
        reached = sim.Device().WaitForFrames(before + 2 + 8 + 1 + 7 + 1, 10000);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        job.RequestStop();
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(Run(&job));
    stopper.join();
    EXPECT_TRUE(reached) << Logged().join(" | ").toStdString();
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(Logged().back(), StoppedText("запись загрузчика"));
    EXPECT_EQ(SettledLastFrame(), BaudFrame(9600));
    EXPECT_EQ(sim.Device().GpsBaud(), 9600u);
    EXPECT_FALSE(link.IsOpen());

    MutableTimings().gpsBootReplyMs = 1000;
    ASSERT_TRUE(Run());
    ExpectKept();
}

TEST_F(GpsUpdate, AStopBeforeTheSpeedSwitchClosesTheLinkAndSendsNothingMore) {
    MutableTimings().gpsSentencePauseMs = 20000;
    GPSUpdateThread job(link, {false, sim.Path()}, reporter, DeviceJobLease::TryTake());
    job.LoaderName = loaderPath;
    job.FirmwareName = firmwarePath;
    const int before = sim.Device().FrameCount();
    std::thread stopper([&] {
        sim.Device().WaitForFrames(before + 3, 10000);
        job.RequestStop();
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(Run(&job));
    stopper.join();
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(Logged().back(), StoppedText("переход в режим программирования"));
    EXPECT_EQ(Frames().size(), 3);
    EXPECT_FALSE(link.IsOpen());
}

}  // namespace
