#include "link/PortReadWatch.h"

#include <QEvent>
#include <QSerialPort>
#include <QSocketNotifier>

bool PortReadWatch::Install(QSerialPort& port, std::function<void(bool reading)> mark) {
    QList<QSocketNotifier*> readNotifiers;
    for (QSocketNotifier* notifier : port.findChildren<QSocketNotifier*>())
        if (notifier->type() == QSocketNotifier::Read)
            readNotifiers << notifier;
    if (readNotifiers.size() != 1)
        return false;
    readNotifiers.front()->installEventFilter(new PortReadWatch(std::move(mark), &port));
    return true;
}

PortReadWatch::PortReadWatch(std::function<void(bool reading)> mark, QObject* parent)
    : QObject(parent), mark_(std::move(mark)) {}

bool PortReadWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::SockAct)
        return false;
    mark_(true);
    watched->event(event);
    mark_(false);
    return true;
}
