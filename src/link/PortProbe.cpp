#include "link/PortProbe.h"

#include "link/SerialLink.h"

#include "link/PortNameOrder.h"

#include <QSerialPortInfo>


QStringList SystemSerialPorts() {
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names << info.portName();
    SortPortNames(names);
    return names;
}

QStringList ProbePorts(const QStringList& candidates) {
    QStringList free;
    for (const QString& name : candidates)
        if (SerialLink::CanOpen(name))
            free << name;
    return free;
}
