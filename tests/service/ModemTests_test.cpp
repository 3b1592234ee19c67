// Operations 6 to 10 against the simulated modem over a pty: the phone book, the SMS and the calls
// the modem recorded are compared with what the operations were asked to do.
#include "ServiceJobFixture.h"

#include "service/ModemText.h"

#include <QElapsedTimer>

#include <thread>

namespace {

const QString SmsSent = "SMS отправлено";

class ModemTests : public ModemOperations {
protected:
    bool RunWith(ServiceOperation operation, const QString& phone) { return Run(operation, {}, phone); }
    // Runs the job on a thread of its own and stops it once the modem has heard a line starting so.
    bool RunAndStopAfter(ServiceOperation operation, const QString& phone, const QByteArray& heard) {
        ServiceThread job(operation, link, {false, sim.Path()}, reporter, DeviceJobLease::TryTake());
        job.PhoneNumber = phone;
        std::thread stopper([&] {
            QElapsedTimer clock;
            clock.start();
            while (!sim.Device().ModemLines().last().startsWith(heard) && clock.elapsed() < 20000)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            job.RequestStop();
        });
        const bool done = job.Execute();
        stopper.join();
        return done;
    }
};

TEST_F(ModemTests, TheTestEntryIsWrittenAndBlankedInThePhoneBook) {
    struct Case {
        ServiceOperation operation;
        SimFaults faults;
        bool done;
        QStringList logged;
        QByteArray text;  // of location 1 afterwards
    };
    SimFaults error, silent;
    error.phoneBookError = true;
    silent.modemSilent = true;
    const QString created = "SIM-карта для тестирования создана", deactivated = "SIM-карта для тестирования деактивирована";
    const Case cases[] = {
        {ServiceOperation::CreateTestSim, {}, true, {created}, "KOVA TEST"},
        {ServiceOperation::DeactivateTestSim, {}, true, {deactivated}, ""},
        {ServiceOperation::CreateTestSim, error, false, {"Ошибка создания тестовой SIM-карты"}, ""},
        {ServiceOperation::DeactivateTestSim, error, false, {"Ошибка деактивации тестовой SIM-карты"}, ""},
        {ServiceOperation::CreateTestSim, silent, false, {}, ""},
    };
    for (const Case& c : cases) {
        reporter.Clear();
        sim.SetFaults(c.faults);
        EXPECT_EQ(Run(c.operation), c.done) << c.text.constData();
        EXPECT_EQ(Logged(), c.logged);
        EXPECT_EQ(sim.Device().ModemPhoneBook().value(1), (SimPhoneBookEntry{"00000", 145, c.text}));
    }
    EXPECT_EQ(Heard().first(), "AT+CPBW=1,\"00000\",145,\"KOVA TEST\"");
    EXPECT_EQ(Heard()[1], "AT+CPBW=1,\"00000\",145,\"\"");
}

TEST_F(ModemTests, TheImeiGoesBySmsToTheNumberAsTyped) {
    struct Case {
        const char* what;
        std::optional<QByteArray> imei;  // the modem's answer to AT+GSN, if not its own
        QString phone;
        QByteArray text;  // of the SMS
    };
    const Case cases[] = {
        {"fifteen digits", std::nullopt, "+79001234567", SimModem::Imei},
        {"blanks around the number", std::nullopt, " +7 900 123 ", SimModem::Imei},
        {"a short IMEI: the rest of the answer and zero bytes", "12345", "+79001234567",
         QByteArray("12345\r\n\r\nOK\r\n") + QByteArray(2, '\0')},
        {"a Cyrillic text goes in Windows-1251", std::nullopt, "Дом", SimModem::Imei},
    };
    int sent = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reporter.Clear();
        SimFaults faults;
        faults.modemImei = c.imei;
        sim.SetFaults(faults);
        const qsizetype heard = sim.Device().ModemLines().size();
        EXPECT_TRUE(RunWith(ServiceOperation::SendImeiBySms, c.phone));
        EXPECT_EQ(Logged(), QStringList{SmsSent});
        ASSERT_TRUE(DeviceHasTaken(5 * ++sent));
        const QByteArray number = PhoneNumberBytes(c.phone).value();
        EXPECT_EQ(sim.Device().ModemLines().mid(heard),
                  (QList<QByteArray>{"AT+GSN", "AT+CMGF=1", "AT+CSCS=\"GSM\"", "AT+CMGS=\"" + number + "\""}));
        ASSERT_EQ(sim.Device().ModemMessages().size(), sent);
        EXPECT_EQ(sim.Device().ModemMessages().last(), (SimSms{number, c.text}));
        const QByteArray last = sim.Device().Frames().last();
        EXPECT_EQ(last.size(), CommandFrame::HeaderSize + 16);
        EXPECT_EQ(last.back(), '\x1a');
    }
}

TEST_F(ModemTests, NoSmsGoesWithoutAnImeiOrAPrompt) {
    struct Case {
        const char* what;
        SimFaults faults;
        QString line;
        QByteArray lastHeard;
    };
    SimFaults noDigit, noPrompt;
    noDigit.modemImei = "ERROR";
    noPrompt.modemNoPrompt = true;
    const Case cases[] = {
        {"no digit in the IMEI answer", noDigit, "Модем не сообщил IMEI. Передача SMS отменена", "AT+GSN"},
        {"the prompt refused", noPrompt, "Модем не принял SMS (нет приглашения для текста). Передача SMS отменена",
         "AT+CMGS=\"+79001234567\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reporter.Clear();
        sim.SetFaults(c.faults);
        const int frames = sim.Device().FrameCount();
        EXPECT_FALSE(RunWith(ServiceOperation::SendImeiBySms, "+79001234567"));
        EXPECT_EQ(Logged(), QStringList{c.line});
        EXPECT_EQ(sim.Device().ModemLines().last(), c.lastHeard);
        EXPECT_EQ(sim.Device().Frames().last().mid(CommandFrame::HeaderSize), c.lastHeard + "\r\n") << "nothing after it";
        EXPECT_GT(sim.Device().FrameCount(), frames);
    }
    EXPECT_TRUE(sim.Device().ModemMessages().isEmpty());
}

TEST_F(ModemTests, AStopDuringTheSmsLeavesMessageEntryWithEsc) {
    MutableTimings().smsPromptPauseMs = 30000;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(RunAndStopAfter(ServiceOperation::SendImeiBySms, "+79001234567", "AT+CMGS"));
    EXPECT_LT(clock.elapsed(), 15000);
    EXPECT_EQ(Logged(), QStringList{StoppedText("ожидание приглашения для SMS")});
    ASSERT_TRUE(DeviceHasTaken(5));  // the IMEI, two settings, the number, ESC
    EXPECT_EQ(sim.Device().Frames().last(), CommandFrame::Build(DeviceCommand::ModemPassThrough, 0, "\x1b").value());
    EXPECT_FALSE(link.IsOpen());

    reporter.Clear();
    EXPECT_TRUE(Run(ServiceOperation::CreateTestSim)) << "the next command is a command again, not text";
    EXPECT_TRUE(sim.Device().ModemMessages().isEmpty());
}

TEST_F(ModemTests, TheLongSmsWaitsEndAtOnceOnAStopOrAPulledCable) {
    MutableTimings().smsReplyMs = Timings{}.smsReplyMs;
    SimFaults silent;
    silent.modemSilent = true;
    sim.SetFaults(silent);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(RunAndStopAfter(ServiceOperation::SendImeiBySms, "+79001234567", "AT+GSN"));
    EXPECT_LT(clock.elapsed(), 15000);
    EXPECT_EQ(Logged(), QStringList{StoppedText("запрос IMEI")});

    reporter.Clear();
    SimFaults pulled;
    pulled.closeAfterFrames = 1;
    sim.SetFaults(pulled);
    clock.restart();
    EXPECT_FALSE(RunWith(ServiceOperation::SendImeiBySms, "+79001234567"));
    EXPECT_LT(clock.elapsed(), 15000);
    EXPECT_EQ(Logged(), QStringList{LinkLostText()});
}

TEST_F(ModemTests, ACallIsPlacedToTheNumberAsTypedAndCancelled) {
    EXPECT_TRUE(Run(ServiceOperation::CancelCall));
    EXPECT_EQ(Logged(), QStringList{"Звонок отменен"}) << "also without a call";
    ASSERT_TRUE(DeviceHasTaken(1));
    EXPECT_TRUE(sim.Device().ModemCalls().isEmpty());

    reporter.Clear();
    EXPECT_TRUE(RunWith(ServiceOperation::TestCall, " +79001234567 "));
    EXPECT_EQ(Logged(), QStringList{"Звонок..."});
    ASSERT_TRUE(DeviceHasTaken(2));
    EXPECT_EQ(sim.Device().ModemCalls(), (QList<SimCall>{{" +79001234567 ", false}}));
    EXPECT_FALSE(link.IsOpen());

    reporter.Clear();
    EXPECT_TRUE(Run(ServiceOperation::CancelCall));
    ASSERT_TRUE(DeviceHasTaken(3));
    EXPECT_EQ(sim.Device().ModemCalls(), (QList<SimCall>{{" +79001234567 ", true}}));
    EXPECT_EQ(Heard(), (QList<QByteArray>{"ATH0", "ATD +79001234567 ;", "ATH0"}));
}

TEST_F(ModemTests, ANumberThatWouldBreakTheCommandLineIsRefusedWithNothingSent) {
    struct Case {
        QString phone;
        QString line;
    };
    const Case cases[] = {
        {"", NoPhoneNumberText()},
        {"1\"\r\nATD+79001234567", PhoneNumberRefusedText()},
        {"+7900\x1a", PhoneNumberRefusedText()},
        {"+7900\x1b", PhoneNumberRefusedText()},
        {"+7900\x7f", PhoneNumberRefusedText()},
        {"+7900\t1", PhoneNumberRefusedText()},
        {"日本", PhoneNumberRefusedText()},
    };
    for (const ServiceOperation operation : {ServiceOperation::SendImeiBySms, ServiceOperation::TestCall})
        for (const Case& c : cases) {
            reporter.Clear();
            EXPECT_FALSE(RunWith(operation, c.phone)) << c.phone.toStdString();
            EXPECT_EQ(Logged(), QStringList{c.line});
            EXPECT_TRUE(reporter.results.empty());
        }
    EXPECT_EQ(FramesSent(), 0);
}

}  // namespace
