#include "app/JobRegistry.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>

JobRegistry::JobRegistry() = default;

JobRegistry::~JobRegistry() { StopAll(); }

// The job is named by an id of its own in what it posts, so a late notice can never reach a job
// that has already gone.
void JobRegistry::Start(QThread* job, Hooks hooks) {
    const quint64 id = nextId_++;
    entries_.push_back({id, job, std::move(hooks)});
    QObject::connect(job, &QThread::finished, &context_, [this, id] { Ended(id); });
    job->start();
}

std::vector<JobRegistry::Entry>::iterator JobRegistry::Find(const QThread* job) {
    return std::find_if(entries_.begin(), entries_.end(), [job](const Entry& entry) { return entry.job == job; });
}

bool JobRegistry::Running(const QThread* job) const {
    return std::any_of(entries_.begin(), entries_.end(), [job](const Entry& entry) { return entry.job == job; });
}

bool JobRegistry::AnyRunning() const { return !entries_.empty(); }

void JobRegistry::Stop(QThread* job) {
    const auto found = Find(job);
    if (found == entries_.end())
        return;
    const quint64 id = found->id;
    if (found->hooks.stop)
        found->hooks.stop();
    if (WaitFor(id))
        Ended(id);
}

void JobRegistry::MakeWay() {
    std::vector<QThread*> yielding;
    for (const Entry& entry : entries_)
        if (entry.hooks.yields)
            yielding.push_back(entry.job);
    for (QThread* job : yielding)
        Stop(job);
}

void JobRegistry::StopAll() {
    gate_.Close();
    while (!entries_.empty())
        Stop(entries_.front().job);
}

// A job may be waiting for a call it posted to the main thread, so those are let run meanwhile;
// among them may be the notice that it has ended.
bool JobRegistry::WaitFor(quint64 id) {
    for (;;) {
        const auto found = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
        if (found == entries_.end())
            return false;
        if (found->job->wait(20))
            return true;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void JobRegistry::Ended(quint64 id) {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    if (found == entries_.end())
        return;
    QThread* job = found->job;
    Hooks hooks = std::move(found->hooks);
    entries_.erase(found);
    job->wait();
    if (hooks.ended)
        hooks.ended();
    delete job;
}
