// The doctor's findings on fixed facts: what it concludes, and the fix it names.
#include "FixedFacts.h"

#include "doctor/Diagnosis.h"
#include "doctor/DoctorText.h"
#include "doctor/NotConnectedReason.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>

#include <gtest/gtest.h>

namespace {

const QString Acm0 = QStringLiteral("/dev/ttyACM0");

QString Lines(const DoctorReport& report) { return DoctorLines(report); }

TEST(Diagnosis, EachFaultMakesThePortUnusableOrWarnsWithItsFix) {
    struct Case {
        const char* name;
        std::function<void(FixedFacts&)> arrange;
        bool usable;
        QStringList linesHold;
    };
    const Case cases[] = {
        {"free port", [](FixedFacts&) {}, true, {"/dev/ttyACM0 (USB 0483:5740 \"KOVA T310\"): usable",
                                                 "ModemManager is not running"}},
        {"not in the group",
         [](FixedFacts& facts) {
             facts.opens[Acm0] = {OpenOutcome::PermissionDenied, false, {}};
             facts.sessionGroups = facts.accountGroups = {QStringLiteral("tech")};
         },
         false,
         {"mode 0660, owner root, group dialout", "this session is not in group dialout",
          "sudo usermod -aG dialout tech", "log in again"}},
        {"added to the group after the login began",
         [](FixedFacts& facts) {
             facts.opens[Acm0] = {OpenOutcome::PermissionDenied, false, {}};
             facts.sessionGroups = {QStringLiteral("tech")};
         },
         false,
         {"user tech is in group dialout, but this session began before that", "log out and log in again"}},
        {"held by another process",
         [](FixedFacts& facts) { facts.holders = {{4242, QStringLiteral("minicom")}}; },
         false,
         {"held by process 4242 (minicom)", "kill 4242"}},
        {"held exclusively (what a superuser's open finds)",
         [](FixedFacts& facts) { facts.opens[Acm0] = {OpenOutcome::Opened, true, {}}; },
         false,
         {"another program holds /dev/ttyACM0 for itself"}},
        {"stale lock file",
         [](FixedFacts& facts) { facts.locks = {{QStringLiteral("/run/lock/LCK..ttyACM0"), 999999, false}}; },
         true,
         {"stale lock file /run/lock/LCK..ttyACM0", "sudo rm /run/lock/LCK..ttyACM0"}},
        {"ModemManager probing the tracker",
         [](FixedFacts& facts) { facts.activeUnits = {QStringLiteral("ModemManager")}; },
         true,
         {"warning  ModemManager runs and may probe the tracker", "sudo kova-cli doctor --install-udev-rule"}},
        {"ModemManager told to leave it alone",
         [](FixedFacts& facts) {
             facts.activeUnits = {QStringLiteral("ModemManager")};
             facts.udev = {{QStringLiteral("ID_MM_DEVICE_IGNORE"), QStringLiteral("1")}};
         },
         true,
         {"ok       ModemManager runs and leaves this device alone"}},
        {"brltty active",
         [](FixedFacts& facts) {
             facts.programs = {QStringLiteral("brltty")};
             facts.activeUnits = {QStringLiteral("brltty")};
         },
         true,
         {"system:", "brltty runs", "sudo apt remove brltty"}},
        {"no tracker plugged in",
         [](FixedFacts& facts) { facts.trackers.clear(); },
         false,
         {"problem  no tracker port: no tty is bound to the cdc_acm driver"}},
    };
    for (const Case& c : cases) {
        FixedFacts facts;
        c.arrange(facts);
        const DoctorReport report = Diagnose(facts);
        EXPECT_EQ(report.usable, c.usable) << c.name;
        for (const QString& text : c.linesHold)
            EXPECT_TRUE(Lines(report).contains(text)) << c.name << ": no \"" << text.toStdString() << "\" in\n"
                                                      << Lines(report).toStdString();
    }
}

TEST(Diagnosis, TheNamedPortDecidesAndIsCheckedBesideTheTrackers) {
    FixedFacts facts;
    const DoctorReport missing = Diagnose(facts, QStringLiteral("ttyUSB7"));
    ASSERT_EQ(missing.ports.size(), 2);
    EXPECT_EQ(missing.ports[1].port.path, QStringLiteral("/dev/ttyUSB7"));
    EXPECT_TRUE(missing.ports[0].usable);
    EXPECT_FALSE(missing.usable);  // the free tracker does not make a missing named port usable
    EXPECT_TRUE(Lines(missing).contains("/dev/ttyUSB7 does not exist"));

    const DoctorReport named = Diagnose(facts, Acm0);
    EXPECT_EQ(named.ports.size(), 1);  // a tracker named is not checked twice
    EXPECT_TRUE(named.usable);
}

TEST(Diagnosis, SeveralTrackersAreNamedForAutomaticDiscovery) {
    FixedFacts facts;
    facts.trackers.append({QStringLiteral("/dev/ttyACM1"), QStringLiteral("0483"), QStringLiteral("5740"), {}});
    EXPECT_TRUE(Lines(Diagnose(facts)).contains("several tracker ports (/dev/ttyACM0, /dev/ttyACM1)"));
}

TEST(Diagnosis, WhereOnlyTheNodeAndTheOpenAreKnownItSaysSo) {
    FixedFacts facts;
    facts.complete = false;
    facts.activeUnits = {QStringLiteral("ModemManager")};
    const QString lines = Lines(Diagnose(facts));
    EXPECT_TRUE(lines.contains("only whether a port exists and opens is checked"));
    EXPECT_FALSE(lines.contains("ModemManager"));
}

TEST(DoctorJson, CarriesEveryPortWithItsFindingsForScripts) {
    FixedFacts facts;
    facts.holders = {{77, QStringLiteral("cat")}};
    const QJsonObject root = QJsonDocument::fromJson(DoctorJson(Diagnose(facts))).object();
    EXPECT_FALSE(root[QStringLiteral("usable")].toBool());
    const QJsonObject port = root[QStringLiteral("ports")].toArray().at(0).toObject();
    EXPECT_EQ(port[QStringLiteral("port")].toString(), Acm0);
    EXPECT_EQ(port[QStringLiteral("vendorId")].toString(), QStringLiteral("0483"));
    bool namesHolder = false;
    for (const QJsonValue finding : port[QStringLiteral("findings")].toArray())
        namesHolder = namesHolder || (finding[QStringLiteral("verdict")].toString() == QLatin1String("problem") &&
                                      finding[QStringLiteral("text")].toString().contains(QLatin1String("77 (cat)")));
    EXPECT_TRUE(namesHolder);
}

TEST(NotConnectedReason, NamesWhatDiscoveryFoundOrThePortsFinding) {
    FixedFacts facts;
    facts.opens[Acm0] = {OpenOutcome::PermissionDenied, false, {}};
    facts.sessionGroups = facts.accountGroups = {QStringLiteral("tech")};
    struct Case {
        PortChoice choice;
        QStringList discovered;
        QStringList holds;
    };
    const Case cases[] = {
        {{true, {}}, {}, {"No USB serial port"}},
        {{true, {}}, {"/dev/ttyACM0", "/dev/ttyACM1"}, {"Several USB serial ports", "/dev/ttyACM0, /dev/ttyACM1"}},
        {{true, {}}, {"/dev/ttyACM0"}, {"this session is not in group dialout", "Fix: sudo usermod -aG dialout tech"}},
        {{false, "ttyACM0"}, {}, {"ttyACM0:", "group dialout"}},
        {{false, "/dev/ttyS9"}, {}, {"/dev/ttyS9 does not exist"}},
        {{false, "  "}, {}, {"No port is named"}},
    };
    for (const Case& c : cases) {
        const QString reason = NotConnectedReason(c.choice, FixedUsbSerialSource(c.discovered), facts);
        for (const QString& text : c.holds)
            EXPECT_TRUE(reason.contains(text)) << "no \"" << text.toStdString() << "\" in\n" << reason.toStdString();
    }
    EXPECT_TRUE(NotConnectedReasonFor(QStringLiteral("Настройки успешно записаны"), {}).isEmpty());
}

}  // namespace
