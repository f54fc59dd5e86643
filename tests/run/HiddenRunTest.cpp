// A hidden run with typed standard input and a real perl: lines handed over from another thread while the worker waits, the end of the input, and children that do not read what is queued.
#include "run/HiddenRun.h"

#include <condition_variable>
#include <future>
#include <mutex>
#include <string>

#include <gtest/gtest.h>

#include "platform/RunInput.h"

using namespace corvella;

namespace {

class HiddenRunTest : public ::testing::Test {
 protected:
  // Starts `script` with `input`; the pane text collects in `pane`.
  void Start(const std::string& script) {
    HiddenRun::Launch launch;
    launch.argv = {"perl", "-e", script};
    launch.input = input;
    HiddenRun::Texts texts{"start\n", "end %1\n", "stopped\n", "cannot start\n", "no pipe\n"};
    run = std::make_unique<HiddenRun>(
        std::move(launch), std::move(texts), runLock,
        [this](const HiddenRun::Write& write, bool replace) {
          {
            const std::lock_guard lock(paneLock);
            if (replace) pane.clear();
            write(pane);
          }
          paneChanged.notify_all();
        },
        nullptr, [this](int) { finished.set_value(); });
  }
  void WaitForPane(const std::string& text) {
    std::unique_lock lock(paneLock);
    paneChanged.wait(lock, [&] { return pane.find(text) != std::string::npos; });
  }
  std::string Finish() {
    finished.get_future().wait();
    run.reset();
    const std::lock_guard lock(paneLock);
    return pane;
  }

  std::shared_ptr<RunInput> input = std::make_shared<RunInput>();
  std::mutex runLock;
  std::mutex paneLock;
  std::condition_variable paneChanged;
  std::string pane;
  std::promise<void> finished;
  std::unique_ptr<HiddenRun> run;
};

// The lines reach the child as sent, their echo shows where the child was
// in its output, and closing the input is the child's end of file.
TEST_F(HiddenRunTest, TypedLinesReachTheChildAndClosingIsItsEndOfFile) {
  Start("$| = 1; print \"ready\\n\"; my $a = <STDIN>; print \"got $a\"; my $b = <STDIN>; print \"got $b\";"
        "print defined(<STDIN>) ? \"more\\n\" : \"eof\\n\";");
  WaitForPane("ready");
  input->Send("one\n", "one\r\n");
  WaitForPane("got one");
  input->Send("two\n", "two\r\n");
  input->Close();
  input->Send("late\n", "late\r\n");  // after the end: dropped
  EXPECT_EQ(Finish(), "start\nready\r\none\r\ngot one\r\ntwo\r\ngot two\r\neof\r\nend 0\n");
}

// What the child leaves unread never holds the run up: a child that ends
// with input still queued ends the run, one that never reads can be stopped.
TEST_F(HiddenRunTest, QueuedInputThatTheChildDoesNotReadIsDropped) {
  // More than the pipe holds, queued before the child starts.
  const std::string flood(4u << 20, 'x');
  input->Send("first\n" + flood, {});
  Start("my $line = <STDIN>; print \"read $line\"; exit 3;");
  EXPECT_EQ(Finish(), "start\nread first\r\nend 3\n");
  input->Send("after the end\n", {});
  input->Close();

  input = std::make_shared<RunInput>();
  finished = {};
  pane.clear();
  Start("$| = 1; print \"ready\\n\"; sleep 1 while 1;");
  WaitForPane("ready");
  input->Send(flood, {});
  input->Send(flood, {});
  run->Stop();
  EXPECT_EQ(Finish(), "start\nready\r\nstopped\nend 137\n");
}

// The worker sleeps until something happens, and the end still comes: a
// grandchild holding the pipes ends the run when it lets go of them, a child
// that closed its output when it exits, and a stop while it waits.
TEST_F(HiddenRunTest, RunEndsWhenTheChildAndItsPipesAreDone) {
  input = nullptr;
  Start("$| = 1; if (fork) { print qq(parent\\n); exit 4 } select undef, undef, undef, 0.3; print qq(late\\n);");
  EXPECT_EQ(Finish(), "start\nparent\r\nlate\r\nend 4\n");

  finished = {};
  Start("$| = 1; print qq(open\\n); close STDOUT; close STDERR; select undef, undef, undef, 0.3; exit 5;");
  EXPECT_EQ(Finish(), "start\nopen\r\nend 5\n");

  finished = {};
  Start("$| = 1; print qq(waiting\\n); close STDOUT; close STDERR; sleep 100;");
  WaitForPane("waiting");
  run->Stop();
  EXPECT_EQ(Finish(), "start\nwaiting\r\nstopped\nend 137\n");
}

}  // namespace
