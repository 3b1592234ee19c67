// The main window as a shell: start-up state, navigation, the header, hidden buttons and shortcuts.
#include "UiTestSupport.h"

#include "app/BuiltInSimulator.h"
#include "app/ExitLabel.h"
#include "app/HeaderPanel.h"
#include "app/NavigationLabel.h"
#include "app/PortPanel.h"
#include "app/ShellColours.h"
#include "app/ToolPanel.h"
#include "app/Unit1.h"
#include "app/Unit6.h"
#include "settings/DefaultServers.h"
#include "settings/ui/SummaryPage.h"
#include "settings/ui/Unit2.h"
#include "settings/ui/Unit3.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

class ShellTest : public QObject {
    Q_OBJECT

    std::shared_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<AppWindows> windows;
    TForm1* form = nullptr;

    template <typename Control>
    Control* Find(const char* name) const {
        return FindControl<Control>(form, name);
    }

    // Entry n drawn selected, every other entry unselected.
    void VerifyOnlySelected(int selected) const {
        for (int entry = 1; entry <= TForm1::EntryCount; ++entry) {
            const bool isSelected = entry == selected;
            QCOMPARE(form->Label(entry)->TextColour(), isSelected ? ShellColours::Light() : ShellColours::SteelBlue());
            QCOMPARE(form->Label(entry)->BackgroundColour(),
                     isSelected ? ShellColours::SteelBlue() : ShellColours::Light());
        }
    }

private slots:
    void init() {
        prompts = UseScriptedPrompts();
        windows = std::make_unique<AppWindows>();
        form = windows->Form1.get();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }

    void cleanup() {
        windows.reset();
        SetPrompts(nullptr);
    }

    void startsOnEntryOneWithTheDefaultsAndNoMessage() {
        QCOMPARE(form->size(), QSize(748, 576));
        QCOMPARE(form->windowTitle(), QStringLiteral("Конфигуратор"));
        QCOMPARE(form->SelectedItem, 1);
        QCOMPARE(form->PageControl1->currentIndex(), 0);
        VerifyOnlySelected(1);
        QCOMPARE(form->Label(6)->text(), QStringLiteral("КОНТРОЛЬ ВЫХОДА\n ИЗ ЗОНЫ ОХРАНЫ"));
        QVERIFY(form->Label(9)->text().isEmpty());
        QVERIFY(!form->Label(9)->isEnabled());

        // The defaults, as the pages show them.
        QCOMPARE(Find<QLineEdit>("Edit1")->text(), QString());
        QCOMPARE(Find<QLineEdit>("Edit2")->text(), QStringLiteral("5938"));
        QCOMPARE(Find<QComboBox>("ComboBox1")->currentText(), QStringLiteral("UTC (+03:00) (Москва  )"));
        QCOMPARE(Find<QComboBox>("ComboBox2")->currentText(), QStringLiteral("12"));
        QVERIFY(Find<QRadioButton>("RadioButton13")->isChecked());
        QCOMPARE(Find<QComboBox>("ComboBox19")->currentIndex(), 3);
        QCOMPARE(Find<QLineEdit>("Edit7")->text(), QString::fromLatin1(DefaultServers::MonitoringHost));
        QCOMPARE(Find<QLineEdit>("Edit8")->text(), QStringLiteral("23351"));
        QCOMPARE(Find<QLineEdit>("Edit9")->text(), QStringLiteral("20332"));
        QVERIFY(!Find<QCheckBox>("CheckBox3")->isChecked());
        QCOMPARE(Find<QComboBox>("ComboBox16")->currentText(), QStringLiteral("Каждый день"));
        QVERIFY(Find<QRadioButton>("RadioButton8")->isChecked());
        QCOMPARE(Find<QComboBox>("ComboBox4")->currentText(), QStringLiteral("23"));
        QCOMPARE(Find<QComboBox>("ComboBox10")->currentText(), QStringLiteral("17"));
        QVERIFY(Find<QCheckBox>("CheckBox2")->isChecked());
        QCOMPARE(Find<QComboBox>("ComboBox14")->currentText(), QStringLiteral("20"));
        QCOMPARE(Find<QLineEdit>("Edit6")->text(), QStringLiteral("1"));
        QCOMPARE(Find<QLineEdit>("Edit3")->text(), QStringLiteral("50"));
        QVERIFY(Find<QRadioButton>("RadioButton6")->isChecked());
        QVERIFY(!Find<QLineEdit>("Edit4")->isEnabled());

        // The summary grid is filled by reads and loads only.
        for (const SummaryRow& row : form->TabSheet9->Rows())
            QVERIFY(row.caption.isEmpty() && row.value.isEmpty());
        QVERIFY(prompts->shown.isEmpty());
    }

    void hiddenControlsStayHiddenAndTheOthersShow() {
        for (const char* name : {"SpeedButton1", "SpeedButton2", "SpeedButton7", "SpeedButton8", "Label21"})
            QVERIFY2(!Find<QWidget>(name)->isVisible(), name);
        for (const char* name : {"SpeedButton3", "SpeedButton4", "SpeedButton5", "CheckBox1", "ComboBox12", "Button8",
                                 "Label34", "Label35"})
            QVERIFY2(Find<QWidget>(name)->isVisible(), name);
        QVERIFY(!Find<QWidget>("GroupBox15")->isVisibleTo(form->PageControl1));
        QCOMPARE(Find<QToolButton>("SpeedButton3")->toolTip(), QStringLiteral("Записать настройки в устройство"));
        QCOMPARE(Find<QToolButton>("SpeedButton3")->size(), QSize(46, 46));
        QVERIFY(Find<QCheckBox>("CheckBox1")->isChecked());
        QVERIFY(Find<QComboBox>("ComboBox12")->isEditable());
    }

    void clickingAnEntrySelectsItAloneAndShowsItsPage() {
        QTest::mouseClick(form->Label(4), Qt::LeftButton);
        QTest::mouseClick(form->Label(2), Qt::LeftButton);
        QCOMPARE(form->SelectedItem, 2);
        QCOMPARE(form->PageControl1->currentIndex(), 1);
        VerifyOnlySelected(2);

        QTest::mouseClick(form->Label(2), Qt::LeftButton);
        QCOMPARE(form->SelectedItem, 2);
        VerifyOnlySelected(2);

        QTest::mouseClick(form->Label(9), Qt::LeftButton);  // disabled: no way to the summary page
        QCOMPARE(form->PageControl1->currentIndex(), 1);
    }

    void hoverUnderlinesAndLeavingRestoresWithoutChangingColours() {
        NavigationLabel* entry = form->Label(3);
        QTest::mouseMove(entry, entry->rect().center());
        QTRY_VERIFY(entry->font().underline());
        QVERIFY(entry->font().bold());
        QTest::mouseMove(form->Label(5), form->Label(5)->rect().center());
        QTRY_VERIFY(!entry->font().underline());
        QVERIFY(entry->font().bold());
        VerifyOnlySelected(1);
    }

    void onlyTheLeftButtonDragsTheWindowByItsHeader() {
        const QPoint start = form->pos();
        QTest::mousePress(form->Panel5, Qt::RightButton, {}, QPoint(300, 30));
        QTest::mouseMove(form->Panel5, QPoint(340, 60));
        QTest::mouseRelease(form->Panel5, Qt::RightButton, {}, QPoint(340, 60));
        QCOMPARE(form->pos(), start);

        QTest::mousePress(form->Panel5, Qt::LeftButton, {}, QPoint(300, 30));
        QTest::mouseMove(form->Panel5, QPoint(340, 60));
        QTest::mouseRelease(form->Panel5, Qt::LeftButton, {}, QPoint(340, 60));
        QTRY_COMPARE(form->pos(), start + QPoint(40, 30));
    }

    void shortcutsOpenTheHiddenWindows() {
        QTest::keyClick(form, Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(windows->Form6->isVisible());
        QTest::keyClick(form, Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(windows->Form2->isVisible());
        QVERIFY(!windows->Form3->isVisible());
    }

    void shortcutsLoadAndSaveAskForAFile() {
        prompts->answers = {true};  // no owner phone: save without it
        QTest::keyClick(form, Qt::Key_O, Qt::ControlModifier);
        QTest::keyClick(form, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(prompts->filters, QStringList(2, QStringLiteral("Файл конфигурации (*.cfg)")));
        QCOMPARE(prompts->suggestedNames, QStringList{QStringLiteral("config.cfg")});
    }

    void traceShowsEachByteOrZeroMarker() {
        QCOMPARE(TraceLine(QByteArray("5938\0\0", 6)), QStringLiteral("5 9 3 8 0x00 0x00 "));
        QCOMPARE(TraceLine(QByteArray("\xcc\xee", 2)), QStringLiteral("М о "));  // Windows-1251
        windows->Form6->TraceReply(QByteArray("1", 1));
        QCOMPARE(windows->Form6->Memo1->toPlainText(), QStringLiteral("1 \n\n\n"));
    }
};

// The built-in simulator is the one USB serial port discovery finds, and the port probe lists it.
class SimulatorStartTest : public QObject {
    Q_OBJECT

private slots:
    void theSimulatorIsFoundAndListed() {
        auto prompts = UseScriptedPrompts();
        BuiltInSimulator simulator;
        QString why;
        QVERIFY2(simulator.Start(&why), qPrintable(why));
        QCOMPARE(CurrentUsbSerialSource()->UsbSerialPorts(), QStringList{simulator.Path()});
        {
            AppWindows windows;
            QVERIFY(windows.Form1->Panel4->ComboBox12->findText(simulator.Path()) >= 0);
            QVERIFY(ProbeCandidates().contains(simulator.Path()));
        }
        SetPrompts(nullptr);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failures = 0;
    ShellTest shell;
    failures += QTest::qExec(&shell, argc, argv);
    SimulatorStartTest simulator;
    failures += QTest::qExec(&simulator, argc, argv);
    return failures;
}

#include "shell_test.moc"
