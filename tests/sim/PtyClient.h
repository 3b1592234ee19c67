#pragma once

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

// The program-under-test's end of a simulated line, with nothing but plain terminal calls.
class PtyClient {
public:
    explicit PtyClient(const QString& path) {
        fd_ = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        termios raw{};
        if (fd_ >= 0 && ::tcgetattr(fd_, &raw) == 0) {
            ::cfmakeraw(&raw);
            ::tcsetattr(fd_, TCSANOW, &raw);
        }
    }
    ~PtyClient() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    bool IsOpen() const { return fd_ >= 0; }

    bool Write(const QByteArray& bytes) {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t sent = ::write(fd_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
            if (sent < 0 && errno == EAGAIN) {
                pollfd out{fd_, POLLOUT, 0};
                ::poll(&out, 1, 1000);
                continue;
            }
            if (sent <= 0)
                return false;
            done += sent;
        }
        return true;
    }

    // Whatever arrives until count bytes are in, the line hangs up or timeoutMs pass.
    QByteArray Read(int count, int timeoutMs) {
        QByteArray got;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (got.size() < count) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            pollfd in{fd_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&in, 1, static_cast<int>(left.count())) <= 0)
                break;
            char chunk[4096];
            const ssize_t n = ::read(fd_, chunk, static_cast<size_t>(std::min<qsizetype>(sizeof chunk, count - got.size())));
            if (n <= 0 && errno != EAGAIN)
                break;
            if (n > 0)
                got.append(chunk, n);
        }
        return got;
    }

    // True once the line has been closed on the device's side.
    bool WaitForHangUp(int timeoutMs) {
        pollfd in{fd_, POLLIN, 0};
        if (::poll(&in, 1, timeoutMs) <= 0)
            return false;
        if (in.revents & (POLLHUP | POLLERR))
            return true;
        char byte;
        return ::read(fd_, &byte, 1) <= 0 && errno != EAGAIN;
    }

private:
    int fd_ = -1;
};
