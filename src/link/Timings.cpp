#include "link/Timings.h"

namespace {
Timings current;
}

const Timings& CurrentTimings() { return current; }
Timings& MutableTimings() { return current; }
