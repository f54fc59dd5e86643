// Waiting for a child the user-interface thread needs the result of: the window keeps painting, and a run that does not end can be broken off.
#pragma once

#include <functional>

class QWidget;

namespace corvella {

// Runs `job` on a worker thread while this thread goes on handling events
// (input to the windows is blocked by a modal dialog). The wait cursor shows
// at once; after a short delay a small dialog offers "中断", which calls
// `cancel` (from this thread; it must make `job` return soon). Answers false
// when the user broke the wait off.
bool WaitForChild(QWidget* parent, const std::function<void()>& job, const std::function<void()>& cancel);

}  // namespace corvella
