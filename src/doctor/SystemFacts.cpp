#include "doctor/SystemFacts.h"

#include <mutex>

namespace {
std::mutex factsLock;
std::shared_ptr<const SystemFacts> current;
}  // namespace

std::shared_ptr<const SystemFacts> CurrentSystemFacts() {
    std::lock_guard lock(factsLock);
    if (!current)
        current = MakeSystemFacts();
    return current;
}

void SetSystemFacts(std::shared_ptr<const SystemFacts> facts) {
    std::lock_guard lock(factsLock);
    current = std::move(facts);
}

// Windows names a port ("COM7") without a folder; elsewhere a bare name lives in /dev.
QString DevicePath(const QString& portName) {
    const QString name = portName.trimmed();
#if defined(Q_OS_WIN)
    return name;
#else
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')))
        return name;
    return QStringLiteral("/dev/") + name;
#endif
}
