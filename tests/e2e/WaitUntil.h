// Bounded polling: waits exist so that a test fails instead of hanging, not
// to measure how fast anything is.
#pragma once

#include <chrono>
#include <thread>

namespace OvTest {

// Calls `condition` until it is true or `seconds` have passed, sleeping
// `pollSeconds` between calls. True when the condition held.
template <typename Condition>
bool WaitUntil(Condition condition, double seconds, double pollSeconds = 0.02) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (true) {
        if (condition()) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::duration<double>(pollSeconds));
    }
}

}  // namespace OvTest
