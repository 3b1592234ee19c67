#include "SimModemFlash.h"

int SimModemFlash::Free() const {
    qsizetype used = 0;
    for (const QByteArray& file : files_)
        used += file.size();
    return used >= capacity_ ? 0 : capacity_ - static_cast<int>(used);
}

bool SimModemFlash::Delete(const QByteArray& name) { return files_.remove(name) > 0; }

bool SimModemFlash::Create(const QByteArray& name) {
    if (files_.contains(name))
        return false;
    files_.insert(name, {});
    return true;
}

bool SimModemFlash::Append(const QByteArray& name, const QByteArray& bytes) {
    const auto file = files_.find(name);
    if (file == files_.end() || bytes.size() > Free())
        return false;
    file->append(bytes);
    return true;
}
