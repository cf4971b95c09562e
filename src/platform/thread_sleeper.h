// Sleeping on the calling thread (Sleep on Windows, sleep_for elsewhere), and a sleeper that
// does not wait, for tests.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/application_runtime.h"

namespace k72645 {

class ThreadSleeper : public Sleeper {
public:
    void sleep(std::int32_t milliseconds) override;
};

// Records the waits asked for instead of waiting.
class RecordingSleeper : public Sleeper {
public:
    void sleep(std::int32_t milliseconds) override { waits.push_back(milliseconds); }
    std::vector<std::int32_t> waits;
};

}  // namespace k72645
