#pragma once

// A simulated tracker on a pty and a link to it, for running the engineering operations end to end.
#include "RecordingReporter.h"
#include "SimPort.h"

#include "link/SerialLink.h"
#include "link/Timings.h"
#include "service/Servicethread.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

// Log lines readable in a failure's message.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

class ServiceOperations : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Start());
        MutableTimings().ownCommandMs = 300;
        MutableTimings().modemReplyMs = 100;
    }
    void TearDown() override {
        link.Close();
        sim.Stop();
        MutableTimings() = Timings{};
    }

    bool Run(ServiceOperation operation, PortChoice choice = {}, const QString& phone = {},
             const QStringList& files = {}) {
        if (choice.automatic)
            choice = {false, sim.Path()};
        ServiceThread job(operation, link, choice, reporter, DeviceJobLease::TryTake());
        job.PhoneNumber = phone;
        job.Files = files;
        return job.Execute();
    }
    QStringList Logged() const { return reporter.LogLines(); }
    // The commands of the frames the device received.
    std::vector<int> Commands() {
        std::vector<int> commands;
        for (const QByteArray& frame : sim.Device().Frames())
            commands.push_back(static_cast<std::uint8_t>(frame[0]));
        return commands;
    }

    // Switches the modem off again, so the next case starts it afresh.
    void RunOwnCommandAndForget() {
        RecordingReporter quiet;
        ServiceThread off(ServiceOperation::ModemOff, link, {false, sim.Path()}, quiet, DeviceJobLease::TryTake());
        off.Execute();
    }

    SimPort sim;
    SerialLink link;
    RecordingReporter reporter;
};

// The same with the modem started and its echo off, as service staff find it before the modem's
// operations; what the modem heard and what was logged start afresh.
class ModemOperations : public ServiceOperations {
protected:
    void SetUp() override {
        ServiceOperations::SetUp();
        MutableTimings().modemReplyMs = 500;
        MutableTimings().modemLongReplyMs = 1000;
        MutableTimings().smsReplyMs = 1000;
        MutableTimings().smsPromptPauseMs = 50;
        RecordingReporter quiet;
        ServiceThread on(ServiceOperation::ModemOn, link, {false, sim.Path()}, quiet, DeviceJobLease::TryTake());
        ASSERT_TRUE(on.Execute());
        heardBefore = sim.Device().ModemLines().size();
        framesBefore = sim.Device().FrameCount();
    }
    // The command lines the modem heard in this test.
    QList<QByteArray> Heard() { return sim.Device().ModemLines().mid(heardBefore); }
    int FramesSent() { return sim.Device().FrameCount() - framesBefore; }
    // An operation that ends right after a send has only handed the frame to the line: the device
    // may not have taken it in yet.
    bool DeviceHasTaken(int frames) { return sim.Device().WaitForFrames(framesBefore + frames, 10000); }

    qsizetype heardBefore = 0;
    int framesBefore = 0;
};
