#include "app/BuiltInSimulator.h"

#include "link/UsbSerialSource.h"

BuiltInSimulator::~BuiltInSimulator() { port_.Stop(); }

bool BuiltInSimulator::Start(QString* error) {
    if (!port_.Start(error))
        return false;
    SetUsbSerialSource(std::make_shared<FixedUsbSerialSource>(QStringList{port_.Path()}));
    return true;
}
