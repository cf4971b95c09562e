// The time the player's process spends waiting on calls to other processes: a COM channel hook
// sees each outgoing call before it is sent and once its answer came back, so that a check's
// time splits into the round trips to Word and the work done in the component's own process.
#pragma once

#include <objbase.h>

namespace k72645::e2e {

// The calls timed so far, and the seconds they took in all.
struct CallTime {
    long calls = 0;
    double seconds = 0;
};

// Installs the hook for the process (once) and reads what it timed.
class CallTimer {
public:
    static void install();
    static CallTime total();
};

}  // namespace k72645::e2e
