// Running two independent pieces of work at once, one of them on a second thread.
#pragma once

#include <functional>

namespace corvella {

// Runs `beside` on a new thread and `mine` on this one, and returns when both
// are done. Without a thread to be had both run here, one after the other.
// An exception from either is rethrown here (the first one, when both throw).
void RunOnTwoThreads(const std::function<void()>& mine, const std::function<void()>& beside);

}  // namespace corvella
