#pragma once

// Lets a program sleep until it is asked to end (Ctrl+C, kill, the terminal closing). Create it before
// any thread starts, so that only Wait() takes those signals.
class StopSignal {
public:
    StopSignal();
    // Returns the number of the signal that arrived.
    int Wait();
};
