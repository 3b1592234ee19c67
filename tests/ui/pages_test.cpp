// The settings pages as a view: key filters, the checks' questions answered both ways, the balance code
// choice, the help texts' justification, and settings and command files through the window.
#include "UiTestSupport.h"

#include "app/ConfiguratorApplication.h"
#include "app/NavigationLabel.h"
#include "app/Unit1.h"
#include "settings/SettingsSlots.h"
#include "settings/ui/SummaryPage.h"
#include "settings/ui/Unit2.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

class PagesTest : public QObject {
    Q_OBJECT

    std::shared_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<AppWindows> windows;
    TForm1* form = nullptr;

    template <typename Control>
    Control* Find(const char* name) const {
        return FindControl<Control>(form, name);
    }
    QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
    QByteArray Slot(Slot slot) const { return form->Settings.Text(slot); }

    // Packs the pages the way the write and save buttons do.
    bool Pack() { return form->PackPages(); }

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

    void keyFiltersLetThroughOnlyTheirCharacters_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("phone") << "Edit1" << "+7 (900) 12a3" << "+790012 3";
        QTest::newRow("pin") << "Edit2" << "1a2+3-45" << "1234";
        QTest::newRow("diameter") << "Edit6" << "9x9.95" << "999";
        QTest::newRow("port") << "Edit8" << "20:332" << "20332";
        QTest::newRow("balance threshold has no filter") << "Edit3" << "-5a" << "-5a";
    }

    void keyFiltersLetThroughOnlyTheirCharacters() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QLineEdit* edit = Edit(qPrintable(field));
        edit->clear();
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), QString(shown).remove(u' '));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QString(shown).remove(u' ').chopped(1));
    }

    // QLineEdit cuts a text to its maximum length; a cut PIN would be written back as if it were right.
    void aTrackerTextLongerThanItsFieldIsShownWholeAndStopsThePacking() {
        form->Settings.StoreReceived(Slot::Pin, "12345");
        form->Settings.StoreReceived(Slot::ServerHost, QByteArray(32, 'h'));
        form->FillPages();
        QLineEdit* pin = Edit("Edit2");
        QCOMPARE(pin->text(), QStringLiteral("12345"));
        QCOMPARE(Edit("Edit7")->text(), QString(32, u'h'));

        Edit("Edit1")->setText(QStringLiteral("+79001234567"));
        QVERIFY(!Pack());
        QCOMPARE(prompts->Texts().last(), QStringLiteral("PIN-код устройства должен состоять из четырех цифр"));
        QCOMPARE(Slot(Slot::Pin), QByteArray("12345"));  // nothing packed over the tracker's PIN

        pin->setFocus();
        pin->end(false);
        QTest::keyClicks(pin, QStringLiteral("6"));
        QCOMPARE(pin->text(), QStringLiteral("12345"));
        QTest::keyClick(pin, Qt::Key_Backspace);
        QTest::keyClicks(pin, QStringLiteral("9"));
        QCOMPARE(pin->text(), QStringLiteral("1234"));  // typing stops at the field's own four characters

        QVERIFY(!Pack());
        QVERIFY(prompts->Texts().last().contains(QStringLiteral("слишком длинный")));
        QCOMPARE(Slot(Slot::ServerHost), QByteArray(32, 'h'));
    }

    void qtsOwnButtonsAndDialogsSpeakRussian() {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("конфигуратор"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Да"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Нет"));
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        const auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Open)->text().remove(u'&'), QStringLiteral("Открыть"));
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text().remove(u'&'), QStringLiteral("Отмена"));
        QCOMPARE(dialog.labelText(QFileDialog::LookIn), QStringLiteral("Перейти к:"));
    }

    void emptyOwnerPhoneIsAskedAboutAndBothAnswersHold() {
        form->LabelClick(3);
        Edit("Edit1")->clear();
        prompts->answers = {false};
        QVERIFY(!Pack());
        QCOMPARE(prompts->shown.size(), 1);
        QVERIFY(prompts->shown[0].question);
        QCOMPARE(prompts->shown[0].caption, QStringLiteral("конфигуратор"));
        QCOMPARE(prompts->shown[0].text,
                 QStringLiteral("Вы не указали номер телефона владельца\nЗаписать настройки без него?"));
        QCOMPARE(form->PageControl1->currentIndex(), 0);
        QCOMPARE(form->SelectedItem, 1);
        QVERIFY(Slot(Slot::OwnerPhone).isEmpty());

        prompts->answers = {true};
        QVERIFY(Pack());
        QCOMPARE(Slot(Slot::OwnerPhone), QByteArray("00000"));
        QCOMPARE(Slot(Slot::FinalMark), QByteArray("1"));
    }

    void refusedWriteStartsNoTransfer() {
        Edit("Edit1")->setText(QStringLiteral("+79001234567"));
        Edit("Edit2")->setText(QStringLiteral("012"));
        form->SpeedButton3Click();
        QCOMPARE(prompts->Texts(), QStringList{QStringLiteral("PIN-код устройства должен состоять из четырех цифр")});
        QCOMPARE(form->RWSettings, nullptr);
        QCOMPARE(form->PageControl1->currentIndex(), 0);
    }

    void missingServerAsksOnItsPageAndYesEmptiesBothSlots() {
        Edit("Edit1")->setText(QStringLiteral("+79001234567"));
        Edit("Edit8")->clear();
        prompts->answers = {false};
        QVERIFY(!Pack());
        QCOMPARE(form->PageControl1->currentIndex(), 1);
        QCOMPARE(form->SelectedItem, 2);

        prompts->answers = {true};
        QVERIFY(Pack());
        QVERIFY(Slot(Slot::ServerHost).isEmpty());
        QVERIFY(Slot(Slot::ServerPort).isEmpty());
    }

    void aFieldThatIsNoIntegerEndsThePackingWithTheConversionMessage() {
        Edit("Edit1")->setText(QStringLiteral("+79001234567"));
        Edit("Edit3")->setText(QStringLiteral("5a"));
        QVERIFY(!Pack());
        QCOMPARE(prompts->shown.size(), 1);
        QCOMPARE(prompts->shown[0].icon, QMessageBox::Critical);
        QCOMPARE(prompts->shown[0].text, QStringLiteral("'5a' is not a valid integer value"));
    }

    void balanceCodeChoiceEnablesItsFieldAndAnEmptyCodeIsRefused() {
        form->LabelClick(7);
        auto* explicitCode = Find<QRadioButton>("RadioButton7");
        QTest::mouseClick(explicitCode, Qt::LeftButton, {}, QPoint(5, explicitCode->height() / 2));
        QVERIFY(explicitCode->isChecked());
        QVERIFY(Edit("Edit4")->isEnabled());

        Edit("Edit1")->setText(QStringLiteral("+79001234567"));
        QVERIFY(!Pack());
        QCOMPARE(prompts->Texts(), QStringList{QStringLiteral("Вы не указали код запроса баланса")});

        Edit("Edit4")->setText(QStringLiteral("*100#"));
        QVERIFY(Pack());
        QCOMPARE(Slot(Slot::BalanceCode), QByteArray("*100#"));

        auto* automatic = Find<QRadioButton>("RadioButton6");
        QTest::mouseClick(automatic, Qt::LeftButton, {}, QPoint(5, automatic->height() / 2));
        QVERIFY(!Edit("Edit4")->isEnabled());
    }

    void typedDeliveryTextThatIsNoItemPacksAsNoSelection() {
        Edit("Edit1")->setText(QStringLiteral("+79001234567"));
        auto* delivery = Find<QComboBox>("ComboBox19");
        delivery->setEditText(QStringLiteral("SMS"));
        QVERIFY(Pack());
        QCOMPARE(Slot(Slot::DeliveryMode), QByteArray("1"));
        delivery->setEditText(QStringLiteral("по почте"));
        QVERIFY(Pack());
        QCOMPARE(Slot(Slot::DeliveryMode), QByteArray("-1"));
    }

    // Every line but the last two is spread to the memo's width in its own font, keeping its words.
    void helpTextsAreJustifiedToTheirWidth() {
        for (const char* name : {"Memo1", "Memo2", "Memo7", "Memo14", "Memo20"}) {
            const auto* memo = Find<QPlainTextEdit>(name);
            const QFontMetrics metrics(memo->font());
            const QStringList lines = memo->toPlainText().split(u'\n');
            QVERIFY(lines.size() > 2);
            for (qsizetype i = 0; i < lines.size() - 2; ++i) {
                const QString& line = lines[i];
                if (!line.trimmed().contains(u' '))
                    continue;
                const int width = metrics.horizontalAdvance(line);
                QVERIFY2(width + 12 < memo->width(), qPrintable(line));
                QVERIFY2(metrics.horizontalAdvance(line + u' ') + 12 >= memo->width(), qPrintable(line));
            }
        }
        QCOMPARE(Find<QPlainTextEdit>("Memo14")->toPlainText().split(u'\n').last(),
                 QStringLiteral("начнется автоматически."));
        QCOMPARE(Find<QPlainTextEdit>("Memo3")->toPlainText(),
                 QStringLiteral("В данном формате устройство будет присылать координаты в\nSMS - сообщениях"));
    }

    void settingsFileRoundTripsThroughTheWindowAndFillsTheSummary() {
        QTemporaryDir dir;
        Edit("Edit1")->setText(QStringLiteral("+79001234567"));
        Edit("Edit2")->setText(QStringLiteral("0123"));
        Find<QComboBox>("ComboBox1")->setCurrentIndex(7);  // UTC-05:00
        prompts->fileNames = {dir.filePath(QStringLiteral("mine"))};
        form->SpeedButton2Click();
        QVERIFY(prompts->shown.isEmpty());
        QCOMPARE(QFile(dir.filePath(QStringLiteral("mine.cfg"))).size(), 118);

        Edit("Edit1")->setText(QStringLiteral("+70000000000"));
        form->SpeedButton5Click();
        QCOMPARE(Find<QComboBox>("ComboBox1")->currentIndex(), 15);

        prompts->fileNames = {dir.filePath(QStringLiteral("mine.cfg"))};
        form->SpeedButton1Click();
        QVERIFY(prompts->shown.isEmpty());
        QCOMPARE(Edit("Edit1")->text(), QStringLiteral("+79001234567"));
        QCOMPARE(Edit("Edit2")->text(), QStringLiteral("0123"));
        QCOMPARE(Find<QComboBox>("ComboBox1")->currentIndex(), 7);
        const SummaryRows rows = form->TabSheet9->Rows();
        QCOMPARE(rows[0].caption, QStringLiteral("Номер владельца"));
        QCOMPARE(rows[0].value, QStringLiteral("+79001234567"));
        QCOMPARE(rows[2].value, QStringLiteral("-5"));
    }

    void aLoadNameWithoutTheExtensionTextDoesNothing() {
        QTemporaryDir dir;
        const QString upper = dir.filePath(QStringLiteral("CONFIG.CFG"));
        Edit("Edit1")->setText(QStringLiteral("+79001234567"));
        prompts->fileNames = {upper};
        form->SpeedButton1Click();
        QVERIFY(prompts->shown.isEmpty());
        QVERIFY(!QFile::exists(upper));
        QCOMPARE(Edit("Edit1")->text(), QStringLiteral("+79001234567"));
    }

    void aSaveThatCannotBeWrittenSaysSo() {
        Edit("Edit1")->setText(QStringLiteral("+79001234567"));
        prompts->fileNames = {QStringLiteral("/nonexistent-folder/settings.cfg")};
        form->SpeedButton2Click();
        QCOMPARE(prompts->shown.size(), 1);
        QCOMPARE(prompts->shown[0].caption, QStringLiteral("Ошибка"));
        QCOMPARE(prompts->shown[0].icon, QMessageBox::NoIcon);
    }

    void wialonCommandIsSavedAndTheWindowHides() {
        QTemporaryDir dir;
        TForm2* wialon = windows->Form2.get();
        form->SpeedButton7Click();
        QVERIFY(wialon->isVisible());
        QCOMPARE(wialon->ComboBox1->count(), 3);

        prompts->fileNames = {};  // cancelled: nothing written, the window stays
        wialon->SpeedButton1Click();
        QVERIFY(wialon->isVisible());

        wialon->ComboBox1->setCurrentIndex(2);
        prompts->fileNames = {dir.filePath(QStringLiteral("cmd"))};
        QTest::mouseClick(wialon->SpeedButton1, Qt::LeftButton);
        QCOMPARE(prompts->suggestedNames.last(), QStringLiteral("command.cfg"));
        QFile saved(dir.filePath(QStringLiteral("cmd.cfg")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("\x02\x01\x03", 3));
        QVERIFY(!wialon->isVisible());

        wialon->ComboBox1->setEditText(QStringLiteral("другая команда"));
        wialon->SaveCommandAs(dir.filePath(QStringLiteral("typed.cfg")));
        QFile typed(dir.filePath(QStringLiteral("typed.cfg")));
        QVERIFY(typed.open(QIODevice::ReadOnly));
        QCOMPARE(typed.readAll(), QByteArray("\x02\x01\x00", 3));
    }
};

// The window's own application object, so that what it sets up at start-up (Qt's Russian texts) holds
// in these tests as in the program.
int main(int argc, char** argv) {
    ConfiguratorApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    PagesTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "pages_test.moc"
