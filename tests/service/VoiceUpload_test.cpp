// Operation 5 against the simulated modem's flash over a pty: what lands in the modem is compared
// byte for byte with the files.
#include "ServiceJobFixture.h"

#include "service/ModemText.h"
#include "settings/Win1251.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <thread>

namespace {

const QByteArray Amr = "#!AMR\n";

// Bytes that begin as a voice file does and differ from one position to the next.
QByteArray Voice(int size, int seed = 0) {
    QByteArray bytes = Amr.left(size);
    while (bytes.size() < size)
        bytes.append(static_cast<char>((bytes.size() * 7 + seed * 13) & 0xFF));
    return bytes;
}

class VoiceUpload : public ModemOperations {
protected:
    QString Put(const QString& name, const QByteArray& bytes) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(bytes);
        return path;
    }
    bool Upload(const QStringList& files) { return Run(ServiceOperation::WriteVoiceFiles, {}, {}, files); }
    // The sizes each AT+FSWRITE announced, file by file in the order heard.
    QList<QByteArray> Announced() {
        QList<QByteArray> writes;
        for (const QByteArray& line : Heard())
            if (line.startsWith("AT+FSWRITE="))
                writes << line;
        return writes;
    }
    QString FreeLine() const { return QStringLiteral("Cвободной памяти: %1 (байт)").arg(free); }

    QTemporaryDir folder;
    int free = SimModemFlash::DefaultCapacity;
};

TEST_F(VoiceUpload, AnEmptyListReportsTheFreeMemoryTwiceAndSucceeds) {
    EXPECT_TRUE(Upload({}));
    EXPECT_EQ(Logged(), (QStringList{FreeLine(), FreeLine(), "Файлы успешно записаны"}));
    EXPECT_EQ(Heard(), (QList<QByteArray>{"AT", "AT+FSMEM", "AT", "AT+FSMEM"}));
    EXPECT_FALSE(link.IsOpen());
}

TEST_F(VoiceUpload, EachFileGoesInChunksOf256AndArrivesWhole) {
    struct Case {
        int size;
        QList<QByteArray> announced;  // the size fields of the file's writes
    };
    const Case cases[] = {
        {256, {"256"}}, {257, {"256", "1"}}, {600, {"256", "256", "88"}}, {0, {"0"}}, {5, {"5"}},
    };
    for (const Case& c : cases) {
        reporter.Clear();
        const qsizetype heard = sim.Device().ModemLines().size();
        const QByteArray bytes = Voice(c.size, c.size);
        const QString name = QStringLiteral("V%1.AMR").arg(c.size);
        ASSERT_TRUE(Upload({Put(name, bytes)})) << c.size << Logged().join('\n').toStdString();
        QList<QByteArray> expected;
        for (const QByteArray& size : c.announced)
            expected << "AT+FSWRITE=C:\\" + name.toLatin1() + ",1," + size + ",1000";
        QList<QByteArray> writes;
        for (const QByteArray& line : sim.Device().ModemLines().mid(heard))
            if (line.startsWith("AT+FSWRITE="))
                writes << line;
        EXPECT_EQ(writes, expected) << c.size;
        EXPECT_EQ(sim.Device().ModemFiles().value("C:\\" + name.toLatin1()), bytes) << c.size;
        EXPECT_TRUE(Logged().contains("Запись файла " + name)) << c.size;
        EXPECT_EQ(Logged().last(), "Файлы успешно записаны");
    }
}

TEST_F(VoiceUpload, AFolderGoesInOrderWithProgressAndCanBeUploadedAgain) {
    const QStringList files = {Put("B.AMR", Voice(600, 1)), Put("a.amr", Voice(0)), Put("Привет.AMR", Voice(300, 2))};
    for (int run = 1; run <= 2; ++run) {
        reporter.Clear();
        heardBefore = sim.Device().ModemLines().size();
        ASSERT_TRUE(Upload(files)) << Logged().join('\n').toStdString();
        const QMap<QByteArray, QByteArray> inModem = sim.Device().ModemFiles();
        EXPECT_EQ(inModem.size(), 3);
        EXPECT_EQ(inModem.value("C:\\B.AMR"), Voice(600, 1)) << run;
        EXPECT_EQ(inModem.value("C:\\a.amr"), Voice(0)) << run;
        EXPECT_EQ(inModem.value("C:\\" + Win1251::Encode("Привет.AMR")), Voice(300, 2)) << run;
        const QList<QByteArray> heard = Heard();
        EXPECT_EQ(heard.mid(0, 4), (QList<QByteArray>{"AT", "AT+FSDEL=C:\\B.AMR", "AT+FSDEL=C:\\a.amr",
                                                      "AT+FSDEL=C:\\" + Win1251::Encode("Привет.AMR")}));
        EXPECT_EQ(heard[4], "AT+FSMEM");
        EXPECT_EQ(heard.mid(5, 4), (QList<QByteArray>{"AT", "AT+FSCREATE=C:\\B.AMR", "AT+FSCREATE=C:\\a.amr",
                                                      "AT+FSCREATE=C:\\" + Win1251::Encode("Привет.AMR")}));
        const QString noHeader = "Внимание: файл a.amr не начинается с заголовка AMR, он будет записан как есть";
        EXPECT_EQ(Logged(), (QStringList{noHeader, FreeLine(), "Запись файла B.AMR", "Запись файла a.amr",
                                         "Запись файла Привет.AMR",
                                         QStringLiteral("Cвободной памяти: %1 (байт)").arg(free - 900),
                                         "Файлы успешно записаны"}));
        const std::vector<std::pair<qint64, qint64>> progress = {{0, 900},   {256, 900}, {512, 900}, {600, 900},
                                                                 {600, 900}, {856, 900}, {900, 900}};
        EXPECT_EQ(reporter.progress, progress);
    }
}

TEST_F(VoiceUpload, ATotalEqualToTheFreeMemoryIsRefusedBeforeAnythingIsCreated) {
    SimFaults small;
    small.modemFlashBytes = 100000;
    sim.SetFaults(small);
    free = 100000;
    EXPECT_FALSE(Upload({Put("A.AMR", Voice(60000)), Put("B.AMR", Voice(40000))}));
    EXPECT_EQ(Logged(), (QStringList{FreeLine(), "Не хватает памяти на модеме для записи файлов"}));
    EXPECT_TRUE(sim.Device().ModemFiles().isEmpty());
    EXPECT_EQ(Heard().last(), "AT+FSMEM");

    reporter.Clear();
    EXPECT_TRUE(Upload({Put("A.AMR", Voice(99999))})) << "one byte less goes";
}

TEST_F(VoiceUpload, TheFirstErrorStopsTheUploadWithItsText) {
    struct Case {
        const char* what;
        SimFaults faults;
        const char* line;
        bool created;  // both files were created (empty) before the error
    };
    SimFaults noPrompt, noAck, silentAtWrite, silent;
    noPrompt.modemNoPrompt = true;
    noAck.modemNoWriteAck = true;
    silentAtWrite.silentAfterFrames = 7;  // AT, two deletes, free memory, AT, two creates: the write gets nothing
    silent.modemSilent = true;
    const Case cases[] = {
        {"an error for the prompt", noPrompt, "Ошибка во время записи файла (нет приглашения)", true},
        {"no answer after the data", noAck, "Ошибка во время записи файла (нет ответа на этапе подтверждения записи)",
         true},
        {"no answer to the write", silentAtWrite, "Ошибка во время записи файла (нет ответа на этапе приглашения)",
         true},
        {"a modem that never answers", silent, "Модем не сообщил объём свободной памяти. Запись файлов отменена",
         false},
    };
    const QStringList files = {Put("A.AMR", Voice(300)), Put("B.AMR", Voice(10))};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reporter.Clear();
        sim.SetFaults(c.faults);
        heardBefore = sim.Device().ModemLines().size();
        EXPECT_FALSE(Upload(files));
        EXPECT_EQ(Logged().last(), QString::fromUtf8(c.line));
        EXPECT_FALSE(Logged().contains("Запись файла B.AMR")) << "the second file is never written";
        EXPECT_EQ(Heard().contains("AT+FSCREATE=C:\\B.AMR"), c.created);
        if (c.created) {
            EXPECT_TRUE(sim.Device().ModemFiles().contains("C:\\B.AMR"));
            EXPECT_TRUE(sim.Device().ModemFiles().value("C:\\B.AMR").isEmpty());
        }
    }
}

// The delete, free-memory and create steps look at no answer; a pulled cable must still end them.
TEST_F(VoiceUpload, APulledCableEndsTheUploadAtOnceWithItsOwnLine) {
    struct Case {
        const char* what;
        int cutAtFrame;  // AT, two deletes, free memory, AT, two creates
    };
    const Case cases[] = {{"while deleting", 2}, {"while asking for the free memory", 4}, {"while creating", 6}};
    const QStringList files = {Put("A.AMR", Voice(300)), Put("B.AMR", Voice(10))};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reporter.Clear();
        sim.Stop();
        ASSERT_TRUE(sim.Start());  // plugged in again
        SimFaults pulled;
        pulled.closeAfterFrames = c.cutAtFrame;
        sim.SetFaults(pulled);
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(Upload(files));
        EXPECT_LT(clock.elapsed(), 5000);
        ASSERT_FALSE(Logged().isEmpty());
        EXPECT_EQ(Logged().last(), LinkLostText());
        EXPECT_EQ(Logged().filter(LinkLostText()).size(), 1);
        EXPECT_TRUE(Logged().filter("Запись файла").isEmpty());
        EXPECT_TRUE(Logged().filter("Модем не сообщил").isEmpty());
    }
}

TEST_F(VoiceUpload, AFileThatCannotBeReadStopsTheUploadBeforeAnythingIsSent) {
    const QString gone = Put("GONE.AMR", Voice(10));
    QFile::remove(gone);
    const QString readOnly = Put("RO.AMR", Voice(10));
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner);
    EXPECT_FALSE(Upload({readOnly, gone}));
    EXPECT_EQ(Logged(), QStringList{"Не удалось прочитать файл " + gone + ". Запись файлов отменена"});
    EXPECT_EQ(FramesSent(), 0);

    reporter.Clear();
    EXPECT_TRUE(Upload({readOnly})) << "a read-only file is only read";
    EXPECT_EQ(sim.Device().ModemFiles().value("C:\\RO.AMR"), Voice(10));
}

TEST_F(VoiceUpload, ANameTheCommandLineCannotCarryIsRefusedWithNothingSent) {
    for (const QString& name : {QStringLiteral("A,1,5.AMR"), QStringLiteral("A\".AMR"), QStringLiteral("A\r\nAT.AMR"),
                               QStringLiteral("A\x1b.AMR"), QStringLiteral("日本.AMR")}) {
        reporter.Clear();
        const QString path = Put(name, Voice(10));
        EXPECT_FALSE(Upload({Put("OK.AMR", Voice(10)), path}));
        EXPECT_EQ(Logged(), QStringList{FileNameRefusedText(name)});
        EXPECT_FALSE(Logged().front().contains('\r'));
        EXPECT_EQ(FramesSent(), 0);
    }
}

TEST_F(VoiceUpload, AFileWithoutTheAmrHeaderGoesWithAWarning) {
    const QByteArray text = "not a voice prompt";
    EXPECT_TRUE(Upload({Put("TEXT.AMR", text), Put("VOICE.AMR", Voice(20))}));
    const QStringList logged = Logged();
    EXPECT_EQ(logged.filter("AMR").filter("TEXT.AMR").size(), 2);  // the warning and "Запись файла"
    EXPECT_TRUE(logged.front().contains("TEXT.AMR"));
    EXPECT_TRUE(logged.filter("VOICE.AMR") == QStringList{"Запись файла VOICE.AMR"});
    EXPECT_EQ(sim.Device().ModemFiles().value("C:\\TEXT.AMR"), text);
}

TEST_F(VoiceUpload, AStoppedUploadEndsAtItsStep) {
    MutableTimings().modemLongReplyMs = 20000;
    SimFaults noAck;
    noAck.modemNoWriteAck = true;
    sim.SetFaults(noAck);
    ServiceThread job(ServiceOperation::WriteVoiceFiles, link, {false, sim.Path()}, reporter, DeviceJobLease::TryTake());
    job.Files = {Put("A.AMR", Voice(100))};
    std::thread stopper([&] {
        while (!sim.Device().ModemLines().last().startsWith("AT+FSWRITE"))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        job.RequestStop();
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(job.Execute());
    stopper.join();
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(Logged().last(), StoppedText("запись файла A.AMR"));
    EXPECT_FALSE(link.IsOpen());
}

}  // namespace
