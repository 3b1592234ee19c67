// The "not connected" box of every window's jobs carries why and how to fix it.
#include "UiTestSupport.h"

#include "../doctor/FixedFacts.h"
#include "app/PortPanel.h"
#include "app/Unit1.h"
#include "service/ui/Unit5.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTest>

namespace {
constexpr int JobTimeoutMs = 20000;
}

class NotConnectedTest : public QObject {
    Q_OBJECT

    std::shared_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<AppWindows> windows;
    TForm1* form = nullptr;

    void Open(const QStringList& usbPorts) {
        prompts = UseScriptedPrompts(usbPorts);
        windows = std::make_unique<AppWindows>();
        form = windows->Form1.get();
    }
    void ChooseManually(const QString& port) {
        form->Panel4->CheckBox1->setChecked(false);
        form->Panel4->ComboBox12->setEditText(port);
    }
    void ReadSettings() {
        form->SpeedButton4Click();
        QTRY_VERIFY_WITH_TIMEOUT(form->RWSettings == nullptr, JobTimeoutMs);
    }
    // The one box shown: "not connected" as ever, with the reason as its details.
    QString ShownReason() {
        if (prompts->shown.size() != 1)
            qFatal("%d boxes shown", int(prompts->shown.size()));
        const ScriptedPrompts::Shown& box = prompts->shown.front();
        if (box.text != QStringLiteral("Устройство не подключено") || box.caption != QStringLiteral("Конфигуратор") ||
            box.icon != QMessageBox::Warning)
            qFatal("not the not-connected box: %s", qPrintable(box.text));
        return box.details;
    }

private slots:
    void cleanup() {
        windows.reset();
        SetPrompts(nullptr);
        SetSystemFacts(nullptr);
    }

    void automaticModeNamesNoPortOrTheSeveralPorts() {
        Open({});
        ReadSettings();
        QVERIFY2(ShownReason().contains("No USB serial port"), qPrintable(ShownReason()));

        windows.reset();
        Open({QStringLiteral("/dev/kova-test-a"), QStringLiteral("/dev/kova-test-b")});
        ReadSettings();
        QVERIFY2(ShownReason().contains("/dev/kova-test-a, /dev/kova-test-b"), qPrintable(ShownReason()));
    }

    void manualModeGivesTheNamedPortsFindingInEveryWindow() {
        auto facts = std::make_shared<FixedFacts>();
        const QString port = QStringLiteral("/dev/kova-test-acm");
        facts->nodes[port] = {true, true, 0660, QStringLiteral("root"), QStringLiteral("dialout")};
        facts->opens[port] = {OpenOutcome::PermissionDenied, false, {}};
        facts->sessionGroups = facts->accountGroups = {QStringLiteral("tech")};
        SetSystemFacts(facts);
        Open({});
        ChooseManually(port);

        ReadSettings();
        QVERIFY2(ShownReason().contains("sudo usermod -aG dialout tech"), qPrintable(ShownReason()));

        prompts->shown.clear();
        prompts->fileNames = {QStringLiteral("/nonexistent/new.fmw")};
        form->SpeedButton6Click();
        QTRY_VERIFY_WITH_TIMEOUT(form->MCUpdate == nullptr, JobTimeoutMs);
        QVERIFY2(ShownReason().contains("not in group dialout"), qPrintable(ShownReason()));

        prompts->shown.clear();
        TForm5* engineering = windows->Form5.get();
        engineering->StartOperation(ServiceOperation::ModemOn);
        QTRY_VERIFY_WITH_TIMEOUT(engineering->ActiveOperation == nullptr, JobTimeoutMs);
        QVERIFY2(ShownReason().contains("not in group dialout"), qPrintable(ShownReason()));
    }

    void aMissingManualPortIsSaidToBeMissing() {
        Open({});
        ChooseManually(QStringLiteral("/dev/kova-no-such-port"));
        ReadSettings();
        QVERIFY2(ShownReason().contains("/dev/kova-no-such-port does not exist"), qPrintable(ShownReason()));
    }
};

QTEST_MAIN(NotConnectedTest)
#include "not_connected_test.moc"
