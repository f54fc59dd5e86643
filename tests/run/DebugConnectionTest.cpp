// A debug session with a real perl: the child proves it is ours, steps and stops report where the program stands, breakpoints by absolute path hold in the script and in a module loaded later, and the end is told with its status.
#include "run/DebugConnection.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <variant>
#include <mutex>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/ChildProcess.h"
#include "platform/SocketStream.h"
#include "run/DebuggerReplies.h"

using namespace corvella;
namespace fs = std::filesystem;

namespace {

// Waits for what the worker hands on, one at a time.
class Replies {
 public:
  DebugConnection::Callbacks Callbacks() {
    return {[this](DebugConnection::Stop s) { Put(std::move(s)); }, [this](std::string r) { Put(Evaluated{r}); },
            [this] { Put(Lost{}); }};
  }
  struct Evaluated {
    std::string reply;
  };
  struct Lost {};
  using Item = std::variant<DebugConnection::Stop, Evaluated, Lost>;

  Item Next() {
    std::unique_lock lock(m_lock);
    EXPECT_TRUE(m_ready.wait_for(lock, std::chrono::seconds(30), [this] { return !m_items.empty(); }));
    if (m_items.empty()) return Lost{};
    Item item = std::move(m_items.front());
    m_items.erase(m_items.begin());
    return item;
  }
  DebugConnection::Stop NextStop() {
    Item item = Next();
    EXPECT_TRUE(std::holds_alternative<DebugConnection::Stop>(item));
    return std::holds_alternative<DebugConnection::Stop>(item) ? std::get<DebugConnection::Stop>(item)
                                                               : DebugConnection::Stop{};
  }

 private:
  void Put(Item item) {
    const std::lock_guard lock(m_lock);
    m_items.push_back(std::move(item));
    m_ready.notify_all();
  }
  std::mutex m_lock;
  std::condition_variable m_ready;
  std::vector<Item> m_items;
};

long LineOf(const DebugConnection::Stop& stop) {
  const auto at = ParseDebuggerPosition(stop.reply);
  return at ? at->line : -1;
}

class DebugConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "corvella-debug-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    m_dir = pattern;
    Write("lib/Late.pm", "package Late;\nsub twice {\n  my $n = shift;\n  return $n * 2;\n}\n1;\n");
    Write("t.pl",
          "use strict;\nmy $name = \"\xE6\x97\xA5\xE6\x9C\xAC\";\nsub add { my ($a, $b) = @_;\n  return $a + $b; }\n"
          "my $sum = add(1, 2);\nrequire './lib/Late.pm';\nmy $d = Late::twice($sum);\nprint \"$d\\n\";\nexit 3;\n");
  }
  void TearDown() override { fs::remove_all(m_dir); }

  void Write(const std::string& name, const std::string& text) {
    fs::create_directories((m_dir / name).parent_path());
    std::ofstream(m_dir / name, std::ios::binary) << text;
  }

  void StartChild(const DebugConnection& connection, const std::string& token) {
    int error = 0;
    ChildProcess::Options options;
    options.argv = {"perl", "-d", "t.pl"};
    options.workingDir = m_dir.string();
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    env.push_back("PERLDB_OPTS=" + connection.DebuggerOptions());
    env.push_back(std::string(DebugConnection::kTokenVariable) + "=" + token);
    options.environment = env;
    ASSERT_TRUE(m_child.Start(options, &error)) << error;
  }

  fs::path m_dir;
  ChildProcess m_child;
};

TEST_F(DebugConnectionTest, StepsStopsAtBreakpointsInScriptAndLaterModuleAndEnds) {
  Replies replies;
  DebugConnection connection("tok3n", replies.Callbacks());
  ASSERT_TRUE(connection.Listen(nullptr));
  StartChild(connection, "tok3n");

  connection.Inspect({"$name"});
  auto stop = replies.NextStop();
  EXPECT_EQ(LineOf(stop), 2);

  connection.Move("n", {});
  EXPECT_EQ(LineOf(replies.NextStop()), 5);
  connection.Move("s", {});
  stop = replies.NextStop();
  EXPECT_EQ(LineOf(stop), 3);
  const auto frames = ParseDebuggerStack(stop.stack);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].line, 5);
  EXPECT_NE(frames[0].call.find("main::add(1, 2)"), std::string::npos);

  // Breakpoints by absolute path: line 4 of the script, and line 3 of a
  // module not loaded yet (line 2 has no statement of its own: the
  // breakpoint goes on to line 3).
  const std::string script = fs::canonical(m_dir / "t.pl").string();
  const std::string module = fs::canonical(m_dir / "lib/Late.pm").string();
  connection.Quietly("DB::corvella_break(" + PerlQuoted(script) + ", 4, 1)");
  connection.Quietly("DB::corvella_break(" + PerlQuoted(module) + ", 2, 1)");
  connection.Move("c", {"$name", "$sum"});
  stop = replies.NextStop();
  EXPECT_EQ(LineOf(stop), 4);
  connection.Move("c", {"$_[0]"});
  stop = replies.NextStop();
  ASSERT_TRUE(ParseDebuggerPosition(stop.reply));
  EXPECT_EQ(ParseDebuggerPosition(stop.reply)->file, "./lib/Late.pm");
  EXPECT_EQ(LineOf(stop), 3);
  ASSERT_EQ(stop.watches.size(), 1u);
  EXPECT_NE(stop.watches[0].find("3"), std::string::npos);

  // An expression evaluates at the stop; its text comes back as bytes.
  connection.Evaluate("x $main::{'_<t.pl'} ? 'yes' : 'no'");
  auto item = replies.Next();
  ASSERT_TRUE(std::holds_alternative<Replies::Evaluated>(item));
  EXPECT_NE(std::get<Replies::Evaluated>(item).reply.find("yes"), std::string::npos);

  // The end, with the status the script exited with; then the child quits.
  connection.Move("c", {});
  stop = replies.NextStop();
  EXPECT_TRUE(stop.ended);
  EXPECT_NE(stop.exitStatus.find("3"), std::string::npos);
  EXPECT_TRUE(std::holds_alternative<Replies::Lost>(replies.Next()));
  std::string out, err;
  while (m_child.ReadSome(out, err, 10000) == ChildProcess::Progress::Open) {
  }
  EXPECT_EQ(out, "6\n");
  EXPECT_EQ(m_child.Wait(), 3);
}

// A process the script forks connects again and is let run, so the script
// waiting for it ends.
TEST_F(DebugConnectionTest, LetsAForkedChildRun) {
  Write("t.pl", "$| = 1;\nmy $pid = fork;\nif (!$pid) { print \"child\\n\"; exit 0; }\nwaitpid $pid, 0;\n"
                "print \"parent\\n\";\n");
  Replies replies;
  DebugConnection connection("f0rk", replies.Callbacks());
  ASSERT_TRUE(connection.Listen(nullptr));
  StartChild(connection, "f0rk");
  connection.Move("c", {});
  EXPECT_TRUE(replies.NextStop().ended);
  std::string out, err;
  while (m_child.ReadSome(out, err, 10000) == ChildProcess::Progress::Open) {
  }
  EXPECT_EQ(out, "child\nparent\n");
}

TEST_F(DebugConnectionTest, RefusesAPeerThatCannotShowTheToken) {
  Replies replies;
  DebugConnection connection("s3cret", replies.Callbacks());
  int error = 0;
  ASSERT_TRUE(connection.Listen(&error));
  // Another program on the machine connects first and answers as a
  // debugger would, without the token.
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(connection.Port()));
  ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  SocketStream impostor(fd);
  ASSERT_TRUE(impostor.Write("main::(x.pl:1):\t1;\n  DB<1> "));
  std::string setup;
  while (setup.find('\n') == std::string::npos) {
    ASSERT_EQ(impostor.ReadSome(setup, 10000), SocketStream::Read::Data);
  }
  EXPECT_EQ(setup.find("s3cret"), std::string::npos);
  ASSERT_TRUE(impostor.Write("corvella:guess\n  DB<2> "));
  // It is dropped; the real child is still taken.
  std::string rest;
  EXPECT_EQ(impostor.ReadSome(rest, 10000), SocketStream::Read::Closed);

  StartChild(connection, "s3cret");
  connection.Inspect({});
  EXPECT_EQ(LineOf(replies.NextStop()), 2);
}

}  // namespace
