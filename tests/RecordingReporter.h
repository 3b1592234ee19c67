#pragma once

#include "link/JobReporter.h"
#include "settings/Rwsettingsthread.h"

#include <QStringList>

#include <mutex>
#include <utility>
#include <vector>

// Keeps everything a job reports, in order, for tests to look at.
class RecordingReporter : public SettingsTransferReporter {
public:
    void ShowResult(ReportKind kind, const QString& message) override {
        std::lock_guard lock(lock_);
        results.push_back({kind, message});
        events << "result";
    }
    void ShowProgress(qint64 done, qint64 total) override {
        std::lock_guard lock(lock_);
        progress.push_back({done, total});
        events << "progress";
    }
    void HideProgress() override { Record("hide progress"); }
    void AddLogLine(const QString& line) override { Record("log " + line); }
    void ShowProgressWindow(const QString& title) override { Record("window " + title); }
    void HideProgressWindow() override { Record("hide window"); }
    void TraceReply(const QByteArray& bytes) override {
        std::lock_guard lock(lock_);
        traces << bytes;
    }
    void ShowReadSettings(const DeviceSettings& block) override {
        std::lock_guard lock(lock_);
        readBlocks.push_back(block);
        events << "settings";
    }

    void Clear() {
        std::lock_guard lock(lock_);
        results.clear();
        progress.clear();
        readBlocks.clear();
        traces.clear();
        events.clear();
    }
    QString LastMessage() const { return results.empty() ? QString() : results.back().second; }
    // The log lines alone, in order.
    QStringList LogLines() const {
        QStringList lines;
        for (const QString& event : events)
            if (event.startsWith("log "))
                lines << event.mid(4);
        return lines;
    }

    std::vector<std::pair<ReportKind, QString>> results;
    std::vector<std::pair<qint64, qint64>> progress;
    std::vector<DeviceSettings> readBlocks;
    QList<QByteArray> traces;
    QStringList events;

private:
    void Record(const QString& event) {
        std::lock_guard lock(lock_);
        events << event;
    }
    std::mutex lock_;
};
