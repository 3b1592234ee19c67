// Reading and writing the settings through the window against the simulated tracker on a pty.
#include "UiTestSupport.h"

#include "SimFactorySettings.h"
#include "SimPort.h"
#include "app/Unit1.h"
#include "app/Unit6.h"
#include "firmware/ui/FirmwareGroup.h"
#include "link/DeviceJobLease.h"
#include "link/Timings.h"
#include "settings/SettingsSlots.h"
#include "settings/ui/SummaryPage.h"
#include "settings/ui/Unit3.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>

namespace {
constexpr int JobTimeoutMs = 20000;
}

class TransferTest : public QObject {
    Q_OBJECT

    SimPort device;
    std::shared_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<AppWindows> windows;
    TForm1* form = nullptr;
    const Timings defaults = CurrentTimings();

    QLineEdit* Edit(const char* name) const { return form->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QComboBox* List(const char* name) const { return form->findChild<QComboBox*>(QString::fromLatin1(name)); }
    void SetDeviceSlot(Slot slot, const QByteArray& text) {
        QVERIFY(device.Device().SetSlotBytes(SettingsSlots::SlotAddress(slot), text));
    }
    void WaitForTransferEnd() { QTRY_VERIFY_WITH_TIMEOUT(form->RWSettings == nullptr, JobTimeoutMs); }

private slots:
    void init() {
        device.Device().SetFaults({});
        QVERIFY(device.Device().LoadSettingsMemory(FactorySettingsMemory()));
        QString why;
        QVERIFY2(device.Start(&why), qPrintable(why));
        MutableTimings().readSlotPauseMs = 1;
        prompts = UseScriptedPrompts({device.Path()});
        windows = std::make_unique<AppWindows>();
        form = windows->Form1.get();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        Edit("Edit1")->setText(QStringLiteral("+79001234567"));
    }

    void cleanup() {
        windows.reset();
        device.Stop();
        MutableTimings() = defaults;
        SetPrompts(nullptr);
    }

    void readShowsTheDeviceOnThePagesTheSummaryAndTheTrace() {
        SetDeviceSlot(Slot::OwnerPhone, "+79005554433");
        SetDeviceSlot(Slot::TimeZone, "-5");
        SetDeviceSlot(Slot::MotionTimeout, "60");
        SetDeviceSlot(Slot::Imei, "861234567890123");
        const int framesBefore = device.Device().FrameCount();

        QTest::mouseClick(form->findChild<QToolButton*>(QStringLiteral("SpeedButton4")), Qt::LeftButton);
        QVERIFY(form->RWSettings != nullptr);
        form->SpeedButton4Click();  // a second press while the read runs starts nothing
        WaitForTransferEnd();

        QVERIFY(prompts->shown.isEmpty());  // a successful read says nothing
        QCOMPARE(device.Device().FrameCount() - framesBefore, 30);
        QCOMPARE(Edit("Edit1")->text(), QStringLiteral("+79005554433"));
        QCOMPARE(List("ComboBox1")->currentIndex(), 7);
        QCOMPARE(List("ComboBox13")->currentText(), QStringLiteral("60"));
        QCOMPARE(form->findChild<QLabel*>(QStringLiteral("Label19"))->text(), QStringLiteral("861234567890123"));
        const SummaryRows rows = form->TabSheet9->Rows();
        QCOMPARE(rows[0].value, QStringLiteral("+79005554433"));
        QCOMPARE(rows[12].value, QStringLiteral("60"));
        QCOMPARE(form->Settings.Text(Slot::Imei), QByteArray("861234567890123"));

        const QStringList trace = windows->Form6->Memo1->toPlainText().split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(trace.size(), 29);
        QVERIFY(trace[0].startsWith(QStringLiteral("+ 7 9 0 0 5 5 5 4 4 3 3 0x00 ")));
        QCOMPARE(windows->Form3->windowTitle(), QStringLiteral("Чтение настроек..."));
        QCOMPARE(windows->Form3->ProgressBar1->maximum(), 29);
        QCOMPARE(windows->Form3->ProgressBar1->value(), 28);
        QVERIFY(!windows->Form3->isVisible());
        QVERIFY(!DeviceJobLease::Busy());
    }

    void writeSendsThePackedPagesAndReportsSuccess() {
        Edit("Edit2")->setText(QStringLiteral("0123"));
        List("ComboBox1")->setCurrentIndex(20);
        const int framesBefore = device.Device().FrameCount();

        form->SpeedButton3Click();
        WaitForTransferEnd();

        QCOMPARE(prompts->shown.size(), 1);
        QCOMPARE(prompts->shown[0].icon, QMessageBox::Information);
        QCOMPARE(prompts->shown[0].caption, QStringLiteral("Конфигуратор"));
        QCOMPARE(prompts->shown[0].text, QStringLiteral("Настройки успешно записаны"));
        QCOMPARE(device.Device().FrameCount() - framesBefore, 25);
        QCOMPARE(device.Device().SlotText(Slot::OwnerPhone), QByteArray("+79001234567"));
        QCOMPARE(device.Device().SlotText(Slot::Pin), QByteArray("0123"));
        QCOMPARE(device.Device().SlotText(Slot::TimeZone), QByteArray("8"));
        QCOMPARE(device.Device().SlotText(Slot::Imei), QByteArray("860000000000001"));  // read-only, untouched
        QCOMPARE(windows->Form3->windowTitle(), QStringLiteral("Запись настроек..."));
        QCOMPARE(windows->Form3->ProgressBar1->value(), 24);
        QVERIFY(!windows->Form3->isVisible());
    }

    void aDeviceFallingSilentLeavesThePagesAsTheyWere() {
        MutableTimings().readSlotMs = 300;
        SimFaults silent;
        silent.silentAfterFrames = 10;
        device.SetFaults(silent);
        SetDeviceSlot(Slot::OwnerPhone, "+79005554433");

        form->SpeedButton4Click();
        WaitForTransferEnd();

        QCOMPARE(prompts->Texts(), QStringList{QStringLiteral("Ошибка во время чтения параметров")});
        QCOMPARE(prompts->shown[0].icon, QMessageBox::Warning);
        QCOMPARE(Edit("Edit1")->text(), QStringLiteral("+79001234567"));
        QVERIFY(form->TabSheet9->Rows()[0].value.isEmpty());
        QVERIFY(!windows->Form3->isVisible());
        QVERIFY(!DeviceJobLease::Busy());
    }

    void noDeviceIsReportedAndTheNextJobMayStart() {
        SetUsbSerialSource(std::make_shared<FixedUsbSerialSource>(QStringList{}));
        form->SpeedButton4Click();
        WaitForTransferEnd();
        QCOMPARE(prompts->Texts(), QStringList{QStringLiteral("Устройство не подключено")});
        QCOMPARE(prompts->shown[0].icon, QMessageBox::Warning);

        // The port typed in the panel serves when discovery finds nothing.
        form->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->setChecked(false);
        List("ComboBox12")->setEditText(device.Path());
        form->SpeedButton3Click();
        WaitForTransferEnd();
        QCOMPARE(prompts->shown.last().text, QStringLiteral("Настройки успешно записаны"));
    }

    void anotherJobIsRefusedWhileATransferRuns() {
        SimFaults slow;
        slow.answerDelayMs = 20;
        device.SetFaults(slow);
        form->SpeedButton4Click();
        QVERIFY(form->RWSettings != nullptr);
        form->SpeedButton6Click();  // the firmware update asks for no file while the device is busy
        QVERIFY(prompts->filters.isEmpty());
        QCOMPARE(form->MCUpdate, nullptr);
        WaitForTransferEnd();
        QVERIFY(prompts->shown.isEmpty());
    }

    void closingTheProgramDuringATransferEndsItQuietly() {
        SimFaults slow;
        slow.answerDelayMs = 30;
        device.SetFaults(slow);
        const int framesBefore = device.Device().FrameCount();
        form->SpeedButton4Click();
        QTRY_VERIFY_WITH_TIMEOUT(device.Device().FrameCount() >= framesBefore + 3, JobTimeoutMs);
        windows.reset();
        QVERIFY(prompts->shown.isEmpty());
        QVERIFY(!DeviceJobLease::Busy());
    }
};

QTEST_MAIN(TransferTest)
#include "transfer_test.moc"
