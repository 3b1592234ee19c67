#include "service/GnssStatusInput.h"

#include <algorithm>
#include <cstring>

GnssStatusInput::GnssStatusInput(QObject* parent) : QIODevice(parent) {
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void GnssStatusInput::Append(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return;
    pending_ += bytes;
    const qsizetype lineStart = pending_.lastIndexOf('\n') + 1;
    if (pending_.size() - lineStart > MaxUnfinishedLine)
        pending_.truncate(lineStart);
    emit readyRead();
}

qint64 GnssStatusInput::bytesAvailable() const { return pending_.size() + QIODevice::bytesAvailable(); }

bool GnssStatusInput::canReadLine() const { return pending_.contains('\n') || QIODevice::canReadLine(); }

qint64 GnssStatusInput::readData(char* data, qint64 maxSize) {
    const qsizetype count = static_cast<qsizetype>(std::min<qint64>(maxSize, pending_.size()));
    std::memcpy(data, pending_.constData(), static_cast<std::size_t>(count));
    pending_.remove(0, count);
    return count;
}
