// Running two independent pieces of work at once, one of them on a second thread.
#include "text/TwoThreads.h"

#include <exception>
#include <system_error>
#include <thread>

namespace corvella {

void RunOnTwoThreads(const std::function<void()>& mine, const std::function<void()>& beside) {
  std::exception_ptr besideFailure;
  std::thread second;
  try {
    second = std::thread([&beside, &besideFailure] {
      try {
        beside();
      } catch (...) {
        besideFailure = std::current_exception();
      }
    });
  } catch (const std::system_error&) {
    beside();
  }
  std::exception_ptr mineFailure;
  try {
    mine();
  } catch (...) {
    mineFailure = std::current_exception();
  }
  if (second.joinable()) second.join();
  if (mineFailure) std::rethrow_exception(mineFailure);
  if (besideFailure) std::rethrow_exception(besideFailure);
}

}  // namespace corvella
