#include "platform/thread_sleeper.h"

#include <chrono>
#include <thread>

namespace k72645 {

void ThreadSleeper::sleep(std::int32_t milliseconds) {
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace k72645
