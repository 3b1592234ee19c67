#include "link/UsbSerialSource.h"

#include <QDir>

#if defined(Q_OS_WIN)
#include <windows.h>

#include <vector>
#endif

namespace {

#if defined(Q_OS_WIN)

// The (value name, port name) pairs of HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM, in the
// registry's order. The value names begin with a backslash, so they are read with the registry's own
// calls: a settings class would take that backslash for a separator between keys.
QList<std::pair<QString, QString>> SerialCommValues() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return {};
    DWORD valueCount = 0, longestName = 0, longestData = 0;
    QList<std::pair<QString, QString>> values;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &valueCount, &longestName,
                         &longestData, nullptr, nullptr) == ERROR_SUCCESS) {
        std::vector<wchar_t> name(longestName + 1);
        std::vector<char16_t> data(longestData / 2 + 1);
        for (DWORD index = 0; index < valueCount; ++index) {
            DWORD nameLength = static_cast<DWORD>(name.size());
            DWORD dataBytes = static_cast<DWORD>(data.size() * sizeof(char16_t));
            DWORD type = 0;
            const LONG result = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                                              reinterpret_cast<BYTE*>(data.data()), &dataBytes);
            if (result == ERROR_NO_MORE_ITEMS)
                break;
            if (result != ERROR_SUCCESS || type != REG_SZ)
                continue;
            values.append({QString::fromWCharArray(name.data(), static_cast<qsizetype>(nameLength)),
                           RegistryString(data.data(), static_cast<qsizetype>(dataBytes))});
        }
    }
    RegCloseKey(key);
    return values;
}

#endif

class SystemUsbSerialSource : public UsbSerialSource {
public:
    QStringList UsbSerialPorts() const override {
#if defined(Q_OS_WIN)
        return UsbSerRegistryPorts(SerialCommValues());
#elif defined(Q_OS_MACOS)
        QStringList ports;
        for (const QString& name : QDir(QStringLiteral("/dev")).entryList({QStringLiteral("cu.usbmodem*")},
                                                                          QDir::System))
            ports << QStringLiteral("/dev/") + name;
        return ports;
#else
        return CdcAcmPorts(QStringLiteral("/sys/class/tty"));
#endif
    }
};

}  // namespace

std::shared_ptr<UsbSerialSource> MakeSystemUsbSerialSource() { return std::make_shared<SystemUsbSerialSource>(); }
