// The "GPS" page's firmware update group: choosing the two files, starting the update, the button and
// the progress bar, against the simulated tracker on a pty.
#include "EngineeringHarness.h"
#include "TestFiles.h"

#include "SimPort.h"
#include "app/JobRegistry.h"
#include "link/DeviceJobLease.h"
#include "link/Timings.h"
#include "service/ui/Unit5.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QAbstractEventDispatcher>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

constexpr int JobTimeoutMs = 30000;

QString WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
    return path;
}

QByteArray Pattern(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 31 + 7);
    return bytes;
}

}  // namespace

class GpsUpdateWindowTest : public QObject, EngineeringHarness {
    Q_OBJECT

    QString loaderPath, firmwarePath;
    QByteArray firmware;

    // Runs the main thread's events as they come (each log line and progress step of the job waits for
    // one), rather than in the polling steps of QTRY_*, until done or the time-out.
    static bool Spin(const std::function<bool()>& done, int timeoutMs = JobTimeoutMs) {
        QTimer tick;
        tick.start(20);
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < timeoutMs)
            QCoreApplication::eventDispatcher()->processEvents(QEventLoop::WaitForMoreEvents);
        return done();
    }
    void WaitForUpdate() { QVERIFY(Spin([this] { return form->ActiveUpdate == nullptr; })); }

    // Starts an update that the module leaves waiting at its first firmware packet, the device's
    // module line at 115200 by then.
    void StartAnUpdateThatHangsAtTheFirstPacket() {
        MutableTimings().gpsStartPauseMs = 0;
        MutableTimings().gpsBootReplyMs = 20000;
        SimFaults faults;
        faults.gpsSilentAtPacket = 1;
        device.SetFaults(faults);
        QTest::mouseClick(form->Button7, Qt::LeftButton);
        QVERIFY(Spin([this] { return LogLines().contains(QStringLiteral("Запись прошивки...")); }));
        QCOMPARE(device.Device().GpsBaud(), 115200u);
    }

private slots:
    void init() {
        QVERIFY(PlugIn());
        device.SetModuleTick(std::chrono::milliseconds(50));
        Timings& timings = MutableTimings();
        timings.ownCommandMs = 500;
        timings.nmeaRelayPeriodMs = 50;
        timings.gpsStartPauseMs = 300;
        timings.gpsModulePauseMs = 0;
        timings.gpsSentencePauseMs = 5;
        timings.gpsBootReplyMs = 1000;
        timings.gpsChecksumPauseMs = 0;
        timings.gpsLoaderPauseMs = 20;
        windows = std::make_unique<AppWindows>();
        form = windows->Form5.get();
        form->show();
        loaderPath = WriteFile(files.filePath("loader.bin"), Pattern(11892));
        firmware = Pattern(5000);
        firmwarePath = WriteFile(files.filePath("firmware.bin"), firmware);
        form->Edit2->setText(loaderPath);
        form->Edit3->setText(firmwarePath);
    }

    void cleanup() { CloseEverything(); }

    void theChoiceIsStoredAtOnceAndNotOnCancel() {
        prompts->fileNames = {loaderPath};
        QTest::mouseClick(form->Button8, Qt::LeftButton);
        QCOMPARE(form->Edit2->text(), loaderPath);
        QCOMPARE(form->focusWidget(), form->Edit2);
        QVERIFY(!form->Edit2->hasSelectedText());
        QCOMPARE(form->Edit2->cursorPosition(), loaderPath.size());
        QVERIFY(ReadAll(ConfigPath()).contains("DAPath=" + loaderPath.toUtf8()));
        prompts->fileNames = {firmwarePath};
        QTest::mouseClick(form->Button9, Qt::LeftButton);
        QVERIFY(ReadAll(ConfigPath()).contains("FirmwarePath=" + firmwarePath.toUtf8()));

        const QByteArray before = ReadAll(ConfigPath());
        form->Edit2->setText(QStringLiteral("typed"));
        QTest::mouseClick(form->Button8, Qt::LeftButton);  // cancelled: nothing queued
        QTest::mouseClick(form->Button9, Qt::LeftButton);
        QCOMPARE(form->Edit2->text(), QStringLiteral("typed"));
        QCOMPARE(ReadAll(ConfigPath()), before);
        QCOMPARE(prompts->filters, (QStringList{QString(), QString(), QString(), QString()}));
    }

    void anUpdateDisablesItsButtonUntilItEndsAndLeavesTheBarAt0() {
        form->CheckBox1->setChecked(true);
        QTRY_VERIFY(form->ActiveNmeaRelay != nullptr);
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(form->Button7, Qt::LeftButton);
        QVERIFY(clock.elapsed() < 250);  // the pause does not hold the window
        QVERIFY(!form->CheckBox1->isChecked());
        QVERIFY(form->ActiveNmeaRelay == nullptr);
        QVERIFY(!form->Button7->isEnabled());
        QVERIFY(DeviceJobLease::Busy());  // nothing else can start during the pause
        QTest::mouseClick(form->Button3, Qt::LeftButton);
        QVERIFY(LogLines().contains(QStringLiteral("Устройство занято: выполняется другая операция")));
        QVERIFY(Spin([this] { return form->ProgressBar1->value() > 0; }));
        QVERIFY(!form->Button7->isEnabled());
        WaitForUpdate();
        QVERIFY(form->Button7->isEnabled());
        QCOMPARE(LogLines().back(), QStringLiteral("Прошивка GPS модуля завершена"));
        QCOMPARE(form->ProgressBar1->value(), 0);
        QCOMPARE(device.Device().GpsFirmwareImage(), firmware);
        QVERIFY(prompts->shown.isEmpty());
    }

    void aFailedUpdateEnablesItsButtonAgain() {
        form->Edit2->setText(files.filePath("no such loader"));
        QTest::mouseClick(form->Button7, Qt::LeftButton);
        QVERIFY(!form->Button7->isEnabled());
        WaitForUpdate();
        QVERIFY(form->Button7->isEnabled());
        QCOMPARE(LogLines().back(), QStringLiteral("Ошибка открытия файла загрузчика"));
        QVERIFY(!QFile::exists(files.filePath("no such loader")));
    }

    void withNoDeviceTheBoxIsShownAndTheButtonEnabledAgain() {
        prompts = UseScriptedPrompts({});
        QTest::mouseClick(form->Button7, Qt::LeftButton);
        WaitForUpdate();
        QVERIFY(form->Button7->isEnabled());
        QCOMPARE(prompts->Texts(), QStringList{QStringLiteral("Устройство не подключено")});
        QVERIFY(LogLines().isEmpty());
    }

    void theStopButtonEndsTheUpdateAndASecondOneWorks() {
        StartAnUpdateThatHangsAtTheFirstPacket();
        if (QTest::currentTestFailed())
            return;
        QVERIFY(form->Button16->isEnabled());
        QTest::mouseClick(form->Button16, Qt::LeftButton);
        WaitForUpdate();
        QCOMPARE(LogLines().back(), QStringLiteral("Операция остановлена: запись прошивки"));
        QVERIFY(form->Button7->isEnabled());
        QTRY_COMPARE(device.Device().GpsBaud(), 9600u);

        MutableTimings().gpsBootReplyMs = 1000;
        QTest::mouseClick(form->Button7, Qt::LeftButton);
        WaitForUpdate();
        QCOMPARE(LogLines().back(), QStringLiteral("Прошивка GPS модуля завершена"));
        QCOMPARE(device.Device().GpsFirmwareImage(), firmware);
    }

    // The program closing mid-update stops the job like the stop button: the module line goes back
    // to 9600 before the port is closed, so the next start of the program can update the module.
    void closingTheProgramDuringTheUpdateSetsTheModuleLineBack() {
        StartAnUpdateThatHangsAtTheFirstPacket();
        if (QTest::currentTestFailed())
            return;
        QElapsedTimer clock;
        clock.start();
        windows.reset();
        QVERIFY(clock.elapsed() < 5000);
        QTRY_COMPARE(device.Device().GpsBaud(), 9600u);
    }
};

QTEST_MAIN(GpsUpdateWindowTest)
#include "gps_update_test.moc"
