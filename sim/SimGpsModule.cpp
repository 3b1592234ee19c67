#include "SimGpsModule.h"

QByteArray SimGpsModule::Receive(const QByteArray& /*payload*/) { return {}; }
