#include "SimPort.h"

#include <QDateTime>
#include <QtGlobal>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

bool Fail(QString* error, const QString& what) {
    if (error)
        *error = what;
    return false;
}

#if defined(Q_OS_UNIX)

QString SystemError(const char* call) {
    return QStringLiteral("%1: %2").arg(QLatin1String(call), qt_error_string(errno));
}

void CloseFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool MakeNonBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0 && ::fcntl(fd, F_SETFD, FD_CLOEXEC) == 0;
}

// A pseudo-terminal whose other end is held open by keeper in raw mode, so nothing echoes and the
// master sees no hang-up while the program under test has its end closed. The keeper takes no
// exclusive hold, so the program may still open the terminal and take one.
bool OpenTerminal(int& master, int& keeper, QString& path, QString* error) {
    master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return Fail(error, SystemError("posix_openpt"));
    char name[256] = {};
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || ::ptsname_r(master, name, sizeof name) != 0 ||
        !MakeNonBlocking(master)) {
        Fail(error, SystemError("pseudo-terminal set-up"));
        CloseFd(master);
        return false;
    }
    keeper = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios raw{};
    if (keeper < 0 || ::tcgetattr(keeper, &raw) != 0 || (::cfmakeraw(&raw), ::tcsetattr(keeper, TCSANOW, &raw)) != 0) {
        Fail(error, SystemError(name));
        CloseFd(keeper);
        CloseFd(master);
        return false;
    }
    path = QString::fromLocal8Bit(name);
    return true;
}

bool OpenWakePipe(int& readEnd, int& writeEnd, QString* error) {
    int ends[2];
    if (::pipe(ends) != 0)
        return Fail(error, SystemError("pipe"));
    readEnd = ends[0];
    writeEnd = ends[1];
    if (!MakeNonBlocking(readEnd) || !MakeNonBlocking(writeEnd)) {
        Fail(error, SystemError("pipe set-up"));
        CloseFd(readEnd);
        CloseFd(writeEnd);
        return false;
    }
    return true;
}

#endif

}  // namespace

SimPort::SimPort() {
    device_.SetUnaskedWake([this] {
        std::lock_guard guard(lock_);
        Wake();
    });
}

SimPort::~SimPort() {
    Stop();
    device_.SetUnaskedWake({});
}

void SimPort::SetModuleTick(std::chrono::milliseconds period) {
    std::lock_guard guard(lock_);
    tickPeriod_ = std::max(period, std::chrono::milliseconds(1));
    Wake();
}

bool SimPort::IsServing() const {
    std::lock_guard guard(lock_);
    return serving_;
}

QString SimPort::Path() const {
    std::lock_guard guard(lock_);
    return path_;
}

void SimPort::Stop() { CloseLine(); }

#if defined(Q_OS_UNIX)

bool SimPort::Start(QString* error) {
    std::lock_guard control(controlLock_);
    if (IsServing())
        return Fail(error, QStringLiteral("a line is already served on %1").arg(Path()));
    if (thread_.joinable())
        thread_.join();  // the line was cut by a fault and its thread has ended
    {
        std::lock_guard guard(lock_);
        CloseFd(wakeRead_);
        CloseFd(wakeWrite_);
    }
    QString path;
    if (!OpenTerminal(master_, slaveKeeper_, path, error))
        return false;
    if (!OpenWakePipe(wakeRead_, wakeWrite_, error)) {
        CloseFds();
        return false;
    }
    device_.ResetLine();
    {
        std::lock_guard guard(lock_);
        path_ = path;
        outgoing_.clear();
        stopRequested_ = false;
        serving_ = true;
    }
    nextTick_.reset();
    thread_ = std::thread(&SimPort::Serve, this);
    return true;
}

void SimPort::CloseLine() {
    if (thread_.joinable() && std::this_thread::get_id() == thread_.get_id()) {
        std::lock_guard guard(lock_);  // asked from the device's own events: the loop ends by itself
        stopRequested_ = true;
        return;
    }
    std::lock_guard control(controlLock_);
    {
        std::lock_guard guard(lock_);
        stopRequested_ = true;
        Wake();
    }
    if (thread_.joinable())
        thread_.join();
    std::lock_guard guard(lock_);
    CloseFd(wakeRead_);
    CloseFd(wakeWrite_);
}

void SimPort::SendUnasked(const QByteArray& bytes) {
    Queue(bytes, std::chrono::milliseconds(0));
}

void SimPort::Serve() {
    for (;;) {
        {
            std::lock_guard guard(lock_);
            if (stopRequested_)
                break;
        }
        int untilTick = MsUntilTick();
        if (untilTick == 0) {
            RunModuleTick();
            untilTick = MsUntilTick();
        }
        pollfd fds[2] = {{wakeRead_, POLLIN, 0}, {master_, POLLIN, 0}};
        int timeoutMs = MsUntilDue();
        if (timeoutMs == 0) {
            fds[1].events |= POLLOUT;
            timeoutMs = untilTick;
        } else if (untilTick >= 0 && (timeoutMs < 0 || untilTick < timeoutMs)) {
            timeoutMs = untilTick;
        }
        if (::poll(fds, 2, timeoutMs) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents & POLLIN)
            DrainWake();
        const short ready = fds[1].revents;
        if (ready & POLLIN) {
            if (!TakeIn())
                break;
        } else if (ready & (POLLHUP | POLLERR)) {
            RestWhileHungUp();
        }
        if (ready & POLLOUT)
            SendDue();
    }
    {
        std::lock_guard guard(lock_);  // before the hang-up shows, so whoever sees it sees this too
        outgoing_.clear();
        serving_ = false;
    }
    CloseFds();
}

// False once the device has had its cable pulled.
bool SimPort::TakeIn() {
    char chunk[4096];
    const ssize_t got = ::read(master_, chunk, sizeof chunk);
    if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR))
        RestWhileHungUp();
    if (got <= 0)
        return true;
    const SimOutput output = device_.Receive(QByteArray(chunk, static_cast<qsizetype>(got)));
    const std::chrono::milliseconds delay(device_.Faults().answerDelayMs);
    for (const QByteArray& answer : output.answers)
        Queue(answer, delay);
    return !output.lineCut;
}

void SimPort::SendDue() {
    const auto now = std::chrono::steady_clock::now();
    std::lock_guard guard(lock_);
    while (!outgoing_.empty() && outgoing_.front().due <= now) {
        Outgoing& next = outgoing_.front();
        const ssize_t sent = ::write(master_, next.bytes.constData(), static_cast<size_t>(next.bytes.size()));
        if (sent < 0 && (errno == EAGAIN || errno == EINTR))
            return;  // the terminal's buffer is full: poll says when it has room again
        if (sent < 0) {
            outgoing_.pop_front();
            continue;
        }
        next.bytes.remove(0, sent);
        if (!next.bytes.isEmpty())
            return;
        outgoing_.pop_front();
    }
}

// -1 when nothing waits to be sent, 0 when something is due now.
int SimPort::MsUntilDue() {
    std::lock_guard guard(lock_);
    if (outgoing_.empty())
        return -1;
    const auto wait = outgoing_.front().due - std::chrono::steady_clock::now();
    if (wait <= std::chrono::steady_clock::duration::zero())
        return 0;
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(wait).count());
}

// -1 while the device says nothing by itself, 0 when its next second has come.
int SimPort::MsUntilTick() {
    if (!device_.TalksUnasked()) {
        nextTick_.reset();
        return -1;
    }
    std::chrono::milliseconds period;
    {
        std::lock_guard guard(lock_);
        period = tickPeriod_;
    }
    const auto now = std::chrono::steady_clock::now();
    if (!nextTick_ || *nextTick_ > now + period)
        nextTick_ = now + period;  // switched on, or the period was shortened
    if (*nextTick_ <= now)
        return 0;
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(*nextTick_ - now).count());
}

void SimPort::RunModuleTick() {
    std::chrono::milliseconds period;
    {
        std::lock_guard guard(lock_);
        period = tickPeriod_;
    }
    const auto now = std::chrono::steady_clock::now();
    *nextTick_ += period;
    if (*nextTick_ <= now)
        nextTick_ = now + period;  // fallen behind: seconds lost are not made up in a burst
    const QByteArray unasked = device_.TakeUnasked(QDateTime::currentDateTimeUtc());
    if (UnreadInTerminal() < MaxUnreadUnasked)
        Queue(unasked, std::chrono::milliseconds(0));
}

int SimPort::UnreadInTerminal() const {
    int unread = 0;
    if (::ioctl(slaveKeeper_, FIONREAD, &unread) != 0)
        return 0;
    return unread;
}

void SimPort::Queue(const QByteArray& bytes, std::chrono::milliseconds delay) {
    if (bytes.isEmpty())
        return;
    std::lock_guard guard(lock_);
    if (!serving_)
        return;
    auto due = std::chrono::steady_clock::now() + delay;
    if (!outgoing_.empty() && outgoing_.back().due > due)
        due = outgoing_.back().due;  // answers leave in the order their frames came
    outgoing_.push_back({bytes, due});
    Wake();
}

// Called with lock_ held, which also keeps the pipe from being closed meanwhile.
void SimPort::Wake() {
    if (wakeWrite_ >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(wakeWrite_, &byte, 1);  // a full pipe wakes too
    }
}

// Nothing holds the terminal's other end any more: wait for a stop instead of spinning.
void SimPort::RestWhileHungUp() {
    pollfd wake{wakeRead_, POLLIN, 0};
    ::poll(&wake, 1, 100);
}

void SimPort::DrainWake() {
    char bytes[64];
    while (::read(wakeRead_, bytes, sizeof bytes) > 0) {
    }
}

// The master goes first, so the other side sees the hang-up at once.
void SimPort::CloseFds() {
    CloseFd(master_);
    CloseFd(slaveKeeper_);
}

#else

bool SimPort::Start(QString* error) { return Fail(error, QStringLiteral("no pseudo-terminals on this system")); }
void SimPort::CloseLine() {}
void SimPort::SendUnasked(const QByteArray&) {}
void SimPort::Serve() {}
bool SimPort::TakeIn() { return false; }
void SimPort::SendDue() {}
int SimPort::MsUntilDue() { return -1; }
int SimPort::MsUntilTick() { return -1; }
void SimPort::RunModuleTick() {}
int SimPort::UnreadInTerminal() const { return 0; }
void SimPort::Queue(const QByteArray&, std::chrono::milliseconds) {}
void SimPort::Wake() {}
void SimPort::DrainWake() {}
void SimPort::RestWhileHungUp() {}
void SimPort::CloseFds() {}

#endif
