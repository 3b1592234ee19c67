// The engineering window's modem operations against the simulated tracker on a pty: the upload's
// bar, the SIM page, the SMS and the call, and a stop by Esc.
#include "EngineeringHarness.h"

#include "SimPort.h"
#include "app/Unit1.h"
#include "link/Timings.h"
#include "service/ModemText.h"
#include "service/ServiceOperation.h"
#include "service/Servicethread.h"
#include "service/ui/Unit5.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int JobTimeoutMs = 30000;

}  // namespace

class ModemOpsTest : public QObject, EngineeringHarness {
    Q_OBJECT


    void WaitForOperation() { QTRY_VERIFY_WITH_TIMEOUT(form->ActiveOperation == nullptr, JobTimeoutMs); }
    void Press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void PressAndWait(QPushButton* button) {
        Press(button);
        WaitForOperation();
    }

private slots:
    void init() {
        QVERIFY(PlugIn());
        windows = std::make_unique<AppWindows>();
        windows->Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(windows->Form1.get()));
        form = windows->Form5.get();
        form->show();
        PressAndWait(form->Button1);  // the modem is started first, as service staff do
        form->Memo1->clear();
    }

    void cleanup() { CloseEverything(); }

    void theUploadFillsItsBarAndTheModemHoldsTheFiles() {
        QCOMPARE(form->ProgressBar2->parentWidget(), form->Button6->parentWidget());
        QTemporaryDir folder;
        const QByteArray voice = QByteArray("#!AMR\n") + QByteArray(700, 'v');
        QFile file(folder.filePath(QStringLiteral("HELLO.AMR")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(voice);
        file.close();
        prompts->folders = {folder.path()};
        Press(form->Button5);
        QCOMPARE(form->ProgressBar2->value(), 0);
        PressAndWait(form->Button6);
        QCOMPARE(LogLines().last(), QStringLiteral("Файлы успешно записаны"));
        QCOMPARE(form->ProgressBar2->value(), 100);
        QCOMPARE(device.Device().ModemFiles().value("C:\\HELLO.AMR"), voice);
    }

    void theSimPageMarksAndUnmarksTheCard() {
        PressAndWait(form->Button10);
        QCOMPARE(device.Device().ModemPhoneBook().value(1).text, QByteArray("KOVA TEST"));
        PressAndWait(form->Button11);
        QCOMPARE(device.Device().ModemPhoneBook().value(1).text, QByteArray());
        QCOMPARE(LogLines(), (QStringList{QStringLiteral("SIM-карта для тестирования создана"),
                                          QStringLiteral("SIM-карта для тестирования деактивирована")}));
    }

    void theCommunicationTestUsesThePhoneAsTyped() {
        form->Edit4->setText(QStringLiteral(" +79001234567"));
        const int framesBefore = device.Device().FrameCount();
        PressAndWait(form->Button12);
        PressAndWait(form->Button13);
        PressAndWait(form->Button14);
        QCOMPARE(LogLines(), (QStringList{QStringLiteral("SMS отправлено"), QStringLiteral("Звонок..."),
                                          QStringLiteral("Звонок отменен")}));
        QVERIFY(device.Device().WaitForFrames(framesBefore + 7, JobTimeoutMs));
        QCOMPARE(device.Device().ModemMessages().last(), (SimSms{" +79001234567", SimModem::Imei}));
        QCOMPARE(device.Device().ModemCalls().last(), (SimCall{" +79001234567", true}));

        form->Memo1->clear();
        form->Edit4->setText(QStringLiteral("1\"\nATD2"));
        const int framesAfter = device.Device().FrameCount();
        PressAndWait(form->Button13);
        QCOMPARE(LogLines(), QStringList{PhoneNumberRefusedText()});
        QCOMPARE(device.Device().FrameCount(), framesAfter);
    }

    void escDuringTheSmsStopsItAndLeavesMessageEntry() {
        MutableTimings().smsPromptPauseMs = 30000;
        form->Edit4->setText(QStringLiteral("+79001234567"));
        const qsizetype sent = device.Device().ModemMessages().size();  // the device outlives each case
        Press(form->Button12);
        QTRY_VERIFY_WITH_TIMEOUT(device.Device().ModemLines().last().startsWith("AT+CMGS"), JobTimeoutMs);
        QTest::keyClick(form, Qt::Key_Escape);
        WaitForOperation();
        QVERIFY(LogLines().last().startsWith(QStringLiteral("Операция остановлена")));
        QTRY_COMPARE_WITH_TIMEOUT(device.Device().Frames().last().right(1), QByteArray("\x1b"), JobTimeoutMs);
        QCOMPARE(device.Device().ModemMessages().size(), sent);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ModemOpsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "modem_ops_test.moc"
