#include "SimModem.h"

QByteArray SimModem::Receive(const QByteArray& /*payload*/) { return {}; }
