// The engineering operations on the modem and the module, against the simulated tracker on a pty.
#include "ServiceJobFixture.h"

#include "link/CommandFrame.h"
#include "link/SerialLink.h"
#include "link/Timings.h"
#include "service/Servicethread.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(ServiceTimings, DefaultsAreTheDevicesOwnFigures) {
    const Timings defaults;
    EXPECT_EQ(defaults.modemReplyMs, 500);
    EXPECT_EQ(defaults.modemLongReplyMs, 2000);
    EXPECT_EQ(defaults.modemProbeAttempts, 10);
    EXPECT_EQ(defaults.modemPauseMs, 100);
    EXPECT_EQ(defaults.nmeaRelayPeriodMs, 1000);
    EXPECT_EQ(defaults.smsReplyMs, 1000000);
    EXPECT_EQ(defaults.smsPromptPauseMs, 1500);
}

TEST_F(ServiceOperations, WithNoDeviceEveryOperationShowsTheBoxAndLogsNothing) {
    for (int number = 1; number <= 10; ++number) {
        reporter.Clear();
        const auto operation = static_cast<ServiceOperation>(number);
        EXPECT_FALSE(Run(operation, {false, "/dev/kova-no-such-port"}, "+79001234567")) << number;
        ASSERT_EQ(reporter.results.size(), 1u) << number;
        EXPECT_EQ(reporter.results[0].first, ReportKind::Failure);
        EXPECT_EQ(reporter.results[0].second, "Устройство не подключено");
        EXPECT_TRUE(Logged().isEmpty()) << number;
    }
    EXPECT_EQ(sim.Device().FrameCount(), 0);
}

struct Toggle {
    ServiceOperation operation;
    DeviceCommand command;
    const char* done;
    const char* failed;
};
const Toggle Toggles[] = {
    {ServiceOperation::ModemOff, DeviceCommand::StopModem, "Модем остановлен", "Модем не остановлен"},
    {ServiceOperation::GpsOn, DeviceCommand::StartGPS, "GPS/ГЛОНАСС модуль запущен", "GPS/ГЛОНАСС модуль не запущен"},
    {ServiceOperation::GpsOff, DeviceCommand::StopGPS, "GPS/ГЛОНАСС модуль остановлен",
     "GPS/ГЛОНАСС модуль не остановлен"},
};

TEST_F(ServiceOperations, ModuleCommandsLogTheirLineAndCloseTheLink) {
    for (const Toggle& toggle : Toggles) {
        reporter.Clear();
        const int before = sim.Device().FrameCount();
        EXPECT_TRUE(Run(toggle.operation)) << toggle.done;
        EXPECT_EQ(Logged(), QStringList{toggle.done});
        EXPECT_TRUE(reporter.results.empty());
        ASSERT_EQ(sim.Device().FrameCount(), before + 1);
        EXPECT_EQ(sim.Device().Frames().back(), CommandFrame::Build(toggle.command, 0).value());
        EXPECT_FALSE(link.IsOpen());
    }
    EXPECT_FALSE(sim.Device().GpsOn());
}

TEST_F(ServiceOperations, AnUnansweredModuleCommandLogsItsFailure) {
    SimFaults silent;
    silent.silentAfterFrames = 0;
    sim.SetFaults(silent);
    for (const Toggle& toggle : Toggles) {
        reporter.Clear();
        EXPECT_FALSE(Run(toggle.operation)) << toggle.failed;
        EXPECT_EQ(Logged(), QStringList{toggle.failed});
    }
}

TEST_F(ServiceOperations, AnyAcknowledgementByteCounts) {
    SimFaults garbage;
    garbage.garbageAnswers = true;
    sim.SetFaults(garbage);
    EXPECT_TRUE(Run(ServiceOperation::ModemOff));
    EXPECT_EQ(Logged(), QStringList{"Модем остановлен"});
}

TEST_F(ServiceOperations, ModemStartWithoutAcknowledgementTriesNothingMore) {
    SimFaults silent;
    silent.silentAfterFrames = 0;
    sim.SetFaults(silent);
    EXPECT_FALSE(Run(ServiceOperation::ModemOn));
    EXPECT_EQ(Logged(), (QStringList{"Запуск модема...", "Модем не запущен"}));
    EXPECT_EQ(Commands(), std::vector<int>{3});
}

TEST_F(ServiceOperations, ModemStartChecksTheModemAndTurnsItsEchoOff) {
    struct Case {
        const char* what;
        SimFaults faults;
        bool started;
        QStringList logged;
        int attentions;  // "AT" lines the modem heard
    };
    const QString starting = "Запуск модема...", started = "Модем запущен", configured = "Модем сконфигурирован";
    SimFaults tenth, eleventh, silent, echoError;
    tenth.modemAnswersFromAt = 10;
    eleventh.modemAnswersFromAt = 11;
    silent.modemSilent = true;
    echoError.ate0Error = true;
    MutableTimings().modemReplyMs = 500;  // an answer that comes late on a loaded machine is not the fault
    const Case cases[] = {
        {"a modem that answers at once", {}, true, {starting, started, configured}, 1},
        {"a modem that answers the tenth AT", tenth, true, {starting, started, configured}, 10},
        {"a modem that would answer the eleventh", eleventh, false, {starting}, 10},
        {"a silent modem", silent, false, {starting}, 10},
        {"an error to ATE0", echoError, true, {starting, started}, 1},
    };
    for (const Case& c : cases) {
        reporter.Clear();
        sim.SetFaults(c.faults);
        const qsizetype heardBefore = sim.Device().ModemLines().size();
        EXPECT_EQ(Run(ServiceOperation::ModemOn), c.started) << c.what;
        EXPECT_EQ(Logged(), c.logged) << c.what;
        const QList<QByteArray> lines = sim.Device().ModemLines().mid(heardBefore);
        EXPECT_EQ(lines.count("AT"), c.attentions) << c.what;
        EXPECT_EQ(lines.count("ATE0"), 1) << c.what;
        EXPECT_EQ(lines.last(), "ATE0") << c.what;
        EXPECT_TRUE(sim.Device().ModemOn());
        RunOwnCommandAndForget();
    }
}

TEST_F(ServiceOperations, AStoppedOperationEndsAtItsStepAndSaysSo) {
    SimFaults silent;
    silent.silentAfterFrames = 0;
    sim.SetFaults(silent);
    MutableTimings().ownCommandMs = 20000;
    ServiceThread job(ServiceOperation::GpsOn, link, {false, sim.Path()}, reporter, DeviceJobLease::TryTake());
    std::thread stopper([&] {
        sim.Device().WaitForFrames(1, 5000);
        job.RequestStop();
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(job.Execute());
    stopper.join();
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(Logged(), QStringList{StoppedText("ожидание ответа устройства")});
    EXPECT_FALSE(link.IsOpen());
}

}  // namespace
