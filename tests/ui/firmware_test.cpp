// Updating the tracker's firmware from the device page against the simulated tracker on a pty.
#include "UiTestSupport.h"

#include "SimPort.h"
#include "app/Unit1.h"
#include "firmware/ui/FirmwareGroup.h"
#include "link/DeviceJobLease.h"
#include "link/LinkFaults.h"
#include "link/Timings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

constexpr int JobTimeoutMs = 30000;
constexpr int HeaderSize = 15;

QByteArray Payload(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    return bytes;
}

}  // namespace

class FirmwareTest : public QObject {
    Q_OBJECT

    SimPort device;
    QTemporaryDir files;
    std::shared_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<AppWindows> windows;
    TForm1* form = nullptr;
    const Timings defaults = CurrentTimings();
    int framesAtStart = 0;

    int FramesSent() { return device.Device().FrameCount() - framesAtStart; }

    QString WriteFirmwareFile(const QString& name, const QByteArray& payload) {
        const QString path = files.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write(QByteArray(HeaderSize, 'H') + payload);
        return path;
    }

    // Chooses the file as the dialog would and presses the button.
    void UpdateFrom(const QString& chosen) {
        prompts->fileNames = {chosen};
        QTest::mouseClick(form->GroupBox18->SpeedButton6, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(form->MCUpdate == nullptr, JobTimeoutMs);
    }

private slots:
    void init() {
        QString why;
        QVERIFY2(device.Start(&why), qPrintable(why));
        framesAtStart = device.Device().FrameCount();
        prompts = UseScriptedPrompts({device.Path()});
        windows = std::make_unique<AppWindows>();
        form = windows->Form1.get();
        form->show();
        form->LabelClick(8);
    }

    void cleanup() {
        windows.reset();
        device.Stop();
        MutableTimings() = defaults;
        SetPrompts(nullptr);
    }

    void payloadIsFlashedInPiecesAndTheBarFollowsIt() {
        const QByteArray payload = Payload(5000);
        UpdateFrom(WriteFirmwareFile(QStringLiteral("new.fmw"), payload));

        QCOMPARE(prompts->filters, QStringList{QStringLiteral("Файл прошивки (*.fmw)")});
        QCOMPARE(prompts->shown.size(), 1);
        QCOMPARE(prompts->shown[0].icon, QMessageBox::Information);
        QCOMPARE(prompts->shown[0].caption, QStringLiteral("Конфигуратор"));
        QCOMPARE(prompts->shown[0].text, QStringLiteral("Прошивка успешно обновлена"));
        QCOMPARE(device.Device().FirmwareImage().left(payload.size()), payload);
        QCOMPARE(FramesSent(), 4);  // erase, then 2048 + 2048 + 904
        QCOMPARE(form->GroupBox18->ProgressBar1->maximum(), 5000);
        QCOMPARE(form->GroupBox18->ProgressBar1->value(), 5000);
        QVERIFY(!DeviceJobLease::Busy());
    }

    void anEmptyPayloadStillWritesOnceAndShowsAnEmptyBar() {
        UpdateFrom(WriteFirmwareFile(QStringLiteral("empty.fmw"), {}));
        QCOMPARE(prompts->Texts(), QStringList{QStringLiteral("Прошивка успешно обновлена")});
        QCOMPARE(FramesSent(), 2);
        QCOMPARE(form->GroupBox18->ProgressBar1->value(), 0);
        QVERIFY(form->GroupBox18->ProgressBar1->maximum() > 0);  // not a busy indicator
    }

    void anUpperCaseExtensionGetsTheExtensionAppended() {
        WriteFirmwareFile(QStringLiteral("FIRMWARE.FMW"), Payload(100));
        UpdateFrom(files.filePath(QStringLiteral("FIRMWARE.FMW")));
        QCOMPARE(prompts->Texts(), QStringList{QStringLiteral("Ошибка открытия файла прошивки")});
        QCOMPARE(prompts->shown[0].icon, QMessageBox::Warning);
        QCOMPARE(FramesSent(), 0);
    }

    void aSilentDeviceEndsTheUpdateAtTheErase() {
        MutableTimings().eraseFirmwareMs = 200;
        SimFaults silent;
        silent.silentAfterFrames = 0;
        device.SetFaults(silent);
        UpdateFrom(WriteFirmwareFile(QStringLiteral("new.fmw"), Payload(100)));
        QCOMPARE(prompts->Texts(), QStringList{QStringLiteral("Ошибка на этапе очистки FLASH")});
        device.SetFaults({});
    }

    void theProgramClosesPromptlyWhileAPieceHangs() {
        MutableTimings().writeFirmwareMs = 120000;
        LinkFaults::SetOutputFault(LinkFaults::OutputFault::NeverDrains);
        prompts->fileNames = {WriteFirmwareFile(QStringLiteral("new.fmw"), Payload(100))};
        form->SpeedButton6Click();
        QVERIFY(form->MCUpdate != nullptr);
        QTest::qWait(300);
        QElapsedTimer clock;
        clock.start();
        windows.reset();
        LinkFaults::SetOutputFault(LinkFaults::OutputFault::None);
        QVERIFY2(clock.elapsed() < 10000, "closing waited for the hung send");
        QVERIFY(!DeviceJobLease::Busy());
    }

    void cancellingTheDialogDoesNothing() {
        form->SpeedButton6Click();
        QCOMPARE(form->MCUpdate, nullptr);
        QVERIFY(prompts->shown.isEmpty());
        QCOMPARE(FramesSent(), 0);
    }
};

QTEST_MAIN(FirmwareTest)
#include "firmware_test.moc"
