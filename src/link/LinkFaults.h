#pragma once

#include <functional>

// Faults that tests inject under the link, where no simulated device can reach: a tracker whose USB
// endpoint stops taking data (a pseudo-terminal always drains at once), and a pause of the link's I/O
// thread between taking bytes from the port and storing them. Nothing here is set outside tests.
namespace LinkFaults {

enum class OutputFault {
    None,
    NeverDrains,   // writes are taken, but the port's output queue never empties
    TakesNothing,  // the port's output queue is full and stays full
};
void SetOutputFault(OutputFault fault);
OutputFault CurrentOutputFault();

// Runs on the I/O thread each time it has taken bytes from the port, before it stores them.
// An empty function removes the hook.
void SetBeforeStoreHook(std::function<void()> hook);
void RunBeforeStoreHook();

}  // namespace LinkFaults
