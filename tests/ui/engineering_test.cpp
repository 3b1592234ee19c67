// The engineering menu: the password prompt, the engineering window and its operations, the relay of
// the module's stream, against the simulated tracker on a pty.
#include "EngineeringHarness.h"
#include "TestFiles.h"

#include "app/JobRegistry.h"
#include "app/ToolPanel.h"
#include "app/Unit1.h"
#include "link/DeviceJobLease.h"
#include "link/Timings.h"
#include "service/ServiceOperation.h"
#include "service/Servicethread.h"
#include "service/Shownmeathread.h"
#include "service/ui/Unit4.h"
#include "service/ui/Unit5.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

constexpr int JobTimeoutMs = 30000;

void WriteFile(const QString& path, int size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(QByteArray(size, 'a'));
}

}  // namespace

class EngineeringTest : public QObject, EngineeringHarness {
    Q_OBJECT

    TForm1* main = nullptr;
    TForm4* prompt = nullptr;

    void OpenWindows() {
        windows = std::make_unique<AppWindows>();
        main = windows->Form1.get();
        prompt = windows->Form4.get();
        form = windows->Form5.get();
        main->show();
        QVERIFY(QTest::qWaitForWindowExposed(main));
    }
    void WaitForOperation() { QTRY_VERIFY_WITH_TIMEOUT(form->ActiveOperation == nullptr, JobTimeoutMs); }
    void Press(QPushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void SilentDevice() {
        SimFaults silent;
        silent.silentAfterFrames = 0;
        device.SetFaults(silent);
    }

private slots:
    void init() {
        QVERIFY(PlugIn());
        MutableTimings().ownCommandMs = 300;
        MutableTimings().nmeaRelayPeriodMs = 50;
        OpenWindows();
    }

    void cleanup() { CloseEverything(); }

    void theMenuIsReachedFromTheKeyboardOnly() {
        QVERIFY(!main->Panel17->SpeedButton8->isVisible());
        prompt->MaskEdit1->setText(QStringLiteral("old"));
        QTest::keyClick(main, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(prompt->isVisible());
        QCOMPARE(prompt->windowTitle(), QStringLiteral("Инженерное меню"));
        QCOMPARE(prompt->MaskEdit1->text(), QString());
        QCOMPARE(prompt->MaskEdit1->echoMode(), QLineEdit::Password);
    }

    void thePasswordOpensTheEngineeringWindow() {
        struct Attempt {
            const char* typed;
            bool opens;
        };
        const Attempt attempts[] = {{"", false}, {"42 ", false}, {" 42", false}, {"24", false}, {"42", true}};
        for (const Attempt& attempt : attempts) {
            prompts->shown.clear();
            main->SpeedButton8Click();
            QTest::keyClicks(prompt->MaskEdit1, QString::fromLatin1(attempt.typed));
            Press(prompt->Button1);
            QCOMPARE(form->isVisible(), attempt.opens);
            if (attempt.opens) {
                QVERIFY(prompts->shown.isEmpty());
                QVERIFY(!prompt->isVisible());
                QCOMPARE(prompt->MaskEdit1->text(), QStringLiteral("42"));
            } else {
                QCOMPARE(prompts->Texts(), QStringList{QStringLiteral("Неправильный пароль")});
                QCOMPARE(prompts->shown[0].caption, QStringLiteral("Конфигуратор"));
                QCOMPARE(prompts->shown[0].icon, QMessageBox::Warning);
                QCOMPARE(prompt->MaskEdit1->text(), QString());
                QVERIFY(prompt->isVisible());
            }
        }
    }

    void enterChecksThePasswordAndOtherKeysDoNot() {
        main->SpeedButton8Click();
        QTest::keyClicks(prompt->MaskEdit1, QStringLiteral("4"));
        QTest::keyClick(prompt->MaskEdit1, Qt::Key_Tab);
        QTest::keyClick(prompt->MaskEdit1, Qt::Key_Escape);
        QVERIFY(prompts->shown.isEmpty());
        prompt->MaskEdit1->setFocus();
        QTest::keyClicks(prompt->MaskEdit1, QStringLiteral("2"));
        QTest::keyClick(prompt->MaskEdit1, Qt::Key_Return, Qt::ShiftModifier);
        QVERIFY(form->isVisible());
        Press(prompt->Button2);
        QVERIFY(!prompt->isVisible());
    }

    void theWindowHasItsControls() {
        QCOMPARE(form->size(), QSize(704, 563));
        QCOMPARE(form->PageControl1->count(), 3);
        QCOMPARE(form->PageControl1->tabText(0), QStringLiteral("GSM"));
        QCOMPARE(form->PageControl1->tabText(1), QStringLiteral("GPS"));
        QCOMPARE(form->PageControl1->tabText(2), QStringLiteral("SIM-карта"));
        QCOMPARE(form->PageControl1->currentIndex(), 0);
        const std::pair<const char*, const char*> buttons[] = {
            {"Button1", "Запуск GSM модуля"},
            {"Button2", "Остановка GSM модуля"},
            {"Button3", "Запуск GPS модуля"},
            {"Button4", "Остановка GPS модуля"},
            {"Button5", "Выбрать папку с файлами"},
            {"Button6", "Записать файлы"},
            {"Button7", "Обновить прошивку"},
            {"Button8", "..."},
            {"Button9", "..."},
            {"Button10", "Создать SIM-курту для тестирования"},
            {"Button11", "Деактивировать SIM-карту для тестирования"},
            {"Button12", "Отправить IMEI номер в SMS"},
            {"Button13", "Совершить звонок"},
            {"Button14", "Отменить звонок"},
            {"Button15", "Очистить"},
        };
        for (const auto& [name, text] : buttons)
            QCOMPARE(FindControl<QPushButton>(form, name)->text(), QString::fromUtf8(text));
        const std::pair<const char*, const char*> groups[] = {
            {"GroupBox1", "Лог"}, {"GroupBox5", "Обновление прошивки"}};
        for (const auto& [name, title] : groups)
            QCOMPARE(FindControl<QGroupBox>(form, name)->title(), QString::fromUtf8(title));
        QCOMPARE(form->CheckBox1->text(), QStringLiteral("Транслировать NMEA поток"));
        QVERIFY(!form->CheckBox1->isChecked());
        QVERIFY(!form->Button16->isEnabled());
    }

    void closingTheWindowOnlyHidesIt() {
        form->show();
        form->AddLogLine(QStringLiteral("kept"));
        form->close();
        QVERIFY(!form->isVisible());
        form->show();
        QCOMPARE(LogLines(), QStringList{QStringLiteral("kept")});
        Press(form->Button15);
        QVERIFY(form->Memo1->toPlainText().isEmpty());
    }

    void theStoredValuesFillTheFieldsAtTheNextStart() {
        QFile file(ConfigPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[config]\nDirectory=/no/such/folder\nDAPath=C:\\gps\\loader.bin\nFirmwarePath=/fw/module.bin\n"
                   "Phone=+79001234567\n");
        file.close();
        windows.reset();
        OpenWindows();
        QCOMPARE(form->Edit1->text(), QStringLiteral("/no/such/folder"));
        QCOMPARE(form->Edit2->text(), QStringLiteral("C:\\gps\\loader.bin"));
        QCOMPARE(form->Edit3->text(), QStringLiteral("/fw/module.bin"));
        QCOMPARE(form->Edit4->text(), QStringLiteral("+79001234567"));
        QVERIFY(form->VoiceFiles.isEmpty());
    }

    void thePhoneNumberShownIsThePhoneNumberStored() {
        form->show();
        form->Edit4->setFocus();
        for (const char* key : {"1", "2", "3"}) {
            QTest::keyClicks(form->Edit4, QString::fromLatin1(key));
            QVERIFY(ReadAll(ConfigPath()).contains(QByteArray("Phone=") + form->Edit4->text().toLatin1() + "\n"));
        }
        QVERIFY(ReadAll(ConfigPath()).contains("Phone=123\n"));
        windows.reset();
        OpenWindows();
        QCOMPARE(form->Edit4->text(), QStringLiteral("123"));
    }

    void aFolderChoiceListsItsVoiceFilesAndIsStored() {
        QTemporaryDir three, one;
        for (const char* name : {"a.AMR", "b.amr", "c.Amr"})
            WriteFile(three.filePath(QString::fromLatin1(name)), 1000);
        WriteFile(three.filePath(QStringLiteral("notes.txt")), 7);
        WriteFile(one.filePath(QStringLiteral("hello.AMR")), 500);

        prompts->folders = {three.path()};
        Press(form->Button5);
        QCOMPARE(prompts->folderTitles, QStringList{QStringLiteral("Выберите папку")});
        QCOMPARE(form->VoiceFiles.size(), 3);
        QCOMPARE(form->VoiceFilesSize, 3000);

        prompts->folders = {one.path()};
        Press(form->Button5);
        QCOMPARE(form->VoiceFiles, QStringList{QDir::toNativeSeparators(one.filePath(QStringLiteral("hello.AMR")))});
        QCOMPARE(form->VoiceFilesSize, 500);
        QCOMPARE(form->Edit1->text(), QDir::toNativeSeparators(one.path()));
        const QByteArray stored = ReadAll(ConfigPath());

        Press(form->Button5);  // cancelled
        QCOMPARE(form->VoiceFilesSize, 500);
        QCOMPARE(form->Edit1->text(), QDir::toNativeSeparators(one.path()));
        QCOMPARE(ReadAll(ConfigPath()), stored);
        QVERIFY(stored.contains("Directory=" + QDir::toNativeSeparators(one.path()).toUtf8() + "\n"));
    }

    void aFailedWriteSaysWhichFile() {
        const QString blocked = files.filePath(QStringLiteral("folder-in-the-way"));
        QVERIFY(QDir().mkpath(blocked + QStringLiteral("/config.ini")));
        TForm5::UseConfigFile(blocked + QStringLiteral("/config.ini"));
        windows.reset();
        OpenWindows();
        QTest::keyClicks(form->Edit4, QStringLiteral("5"));
        QCOMPARE(prompts->Texts(),
                 QStringList{QStringLiteral("Unable to write to %1").arg(blocked + QStringLiteral("/config.ini"))});
    }

    void operationsLogTheirSteps() {
        Press(form->Button3);
        WaitForOperation();
        Press(form->Button4);
        WaitForOperation();
        QCOMPARE(LogLines(), (QStringList{QStringLiteral("GPS/ГЛОНАСС модуль запущен"),
                                          QStringLiteral("GPS/ГЛОНАСС модуль остановлен")}));
        QVERIFY(prompts->shown.isEmpty());
        QVERIFY(!main->Link.IsOpen());
    }

    void withNoDeviceEveryOperationShowsTheBoxOnly() {
        auto boxes = UseScriptedPrompts({});
        for (QPushButton* button : {form->Button1, form->Button2, form->Button3, form->Button4}) {
            Press(button);
            WaitForOperation();
        }
        QCOMPARE(boxes->Texts(), QStringList(4, QStringLiteral("Устройство не подключено")));
        QVERIFY(LogLines().isEmpty());
    }

    void theSmsAndTheCallWantAPhoneNumber() {
        const int framesBefore = device.Device().FrameCount();
        Press(form->Button12);
        Press(form->Button13);
        QCOMPARE(LogLines(), QStringList(2, QStringLiteral("Нет номера телефона. Передача SMS отменена")));
        QCOMPARE(device.Device().FrameCount(), framesBefore);
    }

    void oneJobAtATimeAndARunningOneCanBeStopped() {
        SilentDevice();
        MutableTimings().ownCommandMs = 20000;
        Press(form->Button3);
        QVERIFY(form->ActiveOperation != nullptr);
        QVERIFY(form->Button16->isEnabled());
        QVERIFY(device.Device().WaitForFrames(1, JobTimeoutMs));
        Press(form->Button4);
        main->SpeedButton4Click();
        QVERIFY(main->RWSettings == nullptr);
        form->CheckBox1->setChecked(true);
        QVERIFY(!form->CheckBox1->isChecked());
        QCOMPARE(LogLines(), QStringList(2, DeviceBusyText()));

        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::keyClick(form, Qt::Key_Escape);
        QVERIFY(form->ActiveOperation == nullptr);
        QVERIFY(!form->Button16->isEnabled());
        QCOMPARE(LogLines().last(), StoppedText(QStringLiteral("ожидание ответа устройства")));
        QVERIFY(!DeviceJobLease::Busy());
    }

    void theRelayShowsTheStreamUntilUnticked() {
        form->CheckBox1->setChecked(true);
        QVERIFY(form->ActiveNmeaRelay != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(main->Link.IsOpen(), JobTimeoutMs);
        device.SendUnasked("$GPGGA,1200");
        QTRY_VERIFY_WITH_TIMEOUT(form->Memo1->toPlainText().contains("$GPGGA,1200"), JobTimeoutMs);
        device.SendUnasked("00*00\r\n$GPRMC*00\r\n");
        QTRY_VERIFY_WITH_TIMEOUT(form->Memo1->toPlainText().contains("$GPRMC"), JobTimeoutMs);
        QCOMPARE(LogLines(), (QStringList{QStringLiteral("$GPGGA,120000*00"), QStringLiteral("$GPRMC*00")}));

        form->CheckBox1->setChecked(false);
        QVERIFY(form->ActiveNmeaRelay == nullptr);
        QVERIFY(!DeviceJobLease::Busy());
        device.SendUnasked("$LATE*00\r\n");
        QTest::qWait(200);
        QVERIFY(!form->Memo1->toPlainText().contains("$LATE"));
    }

    void theStatusLineSaysWhatTheStreamMeans() {
        device.SetModuleTick(std::chrono::milliseconds(100));
        device.Device().SetGpsFixAfter(0);
        device.Device().SetGpsPowered(true);
        form->CheckBox1->setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(form->GnssStatusLabel->text().contains(QStringLiteral("Фикс: 3D")), JobTimeoutMs);
        QVERIFY(form->GnssStatusLabel->text().contains(QStringLiteral("ГЛОНАСС")));
        QVERIFY(form->Memo1->toPlainText().contains(QStringLiteral("$GNGGA")));
        form->CheckBox1->setChecked(false);
        device.Device().SetGpsPowered(false);
        device.SetModuleTick(SimPort::DefaultModuleTick);
    }

    void tickingAgainLeavesOneRelay() {
        form->CheckBox1->setChecked(true);
        ShowNMEAThread* first = form->ActiveNmeaRelay;
        form->CheckBox1Click();
        QCOMPARE(form->ActiveNmeaRelay, first);
        form->CheckBox1->setChecked(false);
        form->CheckBox1->setChecked(true);
        QVERIFY(form->ActiveNmeaRelay != nullptr);
        QVERIFY(windows->Jobs.AnyRunning());
        form->CheckBox1->setChecked(false);
        QVERIFY(!windows->Jobs.AnyRunning());
    }

    void aRelayWithNoDeviceSaysSoOnceAndCanBeRetried() {
        auto boxes = UseScriptedPrompts({});
        form->CheckBox1->setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(form->ActiveNmeaRelay == nullptr, JobTimeoutMs);
        QVERIFY(form->CheckBox1->isChecked());
        QCOMPARE(boxes->Texts(), QStringList{QStringLiteral("Устройство не подключено")});
        form->CheckBox1->setChecked(false);
        form->CheckBox1->setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(form->ActiveNmeaRelay == nullptr, JobTimeoutMs);
        QCOMPARE(boxes->Texts().size(), 2);
        QVERIFY(LogLines().isEmpty());
    }

    void anyOtherJobStopsTheRelayFirst() {
        form->CheckBox1->setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(main->Link.IsOpen(), JobTimeoutMs);
        Press(form->Button3);
        QVERIFY(!form->CheckBox1->isChecked());
        QVERIFY(form->ActiveNmeaRelay == nullptr);
        WaitForOperation();
        QCOMPARE(LogLines(), QStringList{QStringLiteral("GPS/ГЛОНАСС модуль запущен")});

        form->CheckBox1->setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(main->Link.IsOpen(), JobTimeoutMs);
        MutableTimings().readSlotPauseMs = 1;
        main->SpeedButton4Click();
        QVERIFY(main->RWSettings != nullptr);
        QVERIFY(!form->CheckBox1->isChecked());
        QTRY_VERIFY_WITH_TIMEOUT(main->RWSettings == nullptr, JobTimeoutMs);
        QVERIFY(prompts->shown.isEmpty());
    }

    void closingTheProgramStopsEveryJob() {
        SilentDevice();
        MutableTimings().ownCommandMs = 60000;
        form->CheckBox1->setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(main->Link.IsOpen(), JobTimeoutMs);
        form->CheckBox1->setChecked(false);
        Press(form->Button1);
        QVERIFY(device.Device().WaitForFrames(1, JobTimeoutMs));
        QElapsedTimer clock;
        clock.start();
        windows.reset();
        QVERIFY(clock.elapsed() < JobTimeoutMs);
        QVERIFY(!DeviceJobLease::Busy());
        QVERIFY(prompts->shown.isEmpty());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    EngineeringTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "engineering_test.moc"
