#pragma once

#include <QByteArray>
#include <QMap>

// The modem's flash file system: one drive, "C:", holding named files up to its capacity.
class SimModemFlash {
public:
    static constexpr int DefaultCapacity = 1048576;

    void SetCapacity(int bytes) { capacity_ = bytes; }
    int Free() const;
    bool Exists(const QByteArray& name) const { return files_.contains(name); }
    // False when there is no such file.
    bool Delete(const QByteArray& name);
    // False when the file is already there.
    bool Create(const QByteArray& name);
    // Adds bytes at the end of a file; false (nothing added) for a missing file or a full drive.
    bool Append(const QByteArray& name, const QByteArray& bytes);
    // Every file by its name, as "C:\NAME".
    const QMap<QByteArray, QByteArray>& Files() const { return files_; }

private:
    int capacity_ = DefaultCapacity;
    QMap<QByteArray, QByteArray> files_;
};
