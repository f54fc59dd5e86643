// The Perl keyword and built-in function list, and what a word is, shared by the colouring and the HTML export.
#include "document/PerlKeywords.h"

#include <array>
#include <vector>

namespace corvella {
namespace {

constexpr std::string_view kKeywords[] = {
    "abs", "accept", "alarm", "atan2", "bind", "binmode", "bless", "caller",
    "chdir", "chmod", "chomp", "chop", "chown", "chr", "chroot", "close",
    "closedir", "cmp", "connect", "continue", "cos", "crypt", "dbmclose", "dbmopen",
    "defined", "delete", "die", "do", "dump", "each", "else", "elsif",
    "endgrent", "endhostent", "endnetent", "endprotoent", "endpwent", "endservent", "eof", "eq",
    "eval", "exec", "exists", "exit", "exp", "fcntl", "fileno", "flock",
    "for", "foreach", "fork", "formline", "ge", "getc", "getlogin", "getpeername",
    "getpgrp", "getppid", "getpriority", "getsockname", "getsockopt", "getgrent", "getgrgid", "getgrnam",
    "gethostbyaddr", "gethostbyname", "gethostent", "getnetbyaddr", "getnetbyname", "getnetent", "getprotobyname", "getprotobynumber",
    "getprotoent", "getpwent", "getpwnam", "getpwuid", "getservbyname", "getservbyport", "getservent", "glob",
    "gmtime", "goto", "grep", "gt", "hex", "if", "import", "index",
    "int", "ioctl", "join", "keys", "kill", "last", "lc", "lcfirst",
    "le", "length", "link", "listen", "local", "localtime", "log", "lstat",
    "lt", "map", "mkdir", "msgctl", "msgget", "msgrcv", "msgsnd", "my",
    "ne", "next", "no", "oct", "open", "opendir", "ord", "pack",
    "package", "pipe", "pop", "pos", "print", "printf", "push", "quotemeta",
    "rand", "read", "readdir", "readlink", "recv", "redo", "ref", "rename",
    "require", "reset", "return", "reverse", "rewinddir", "rindex", "rmdir", "scalar",
    "seek", "seekdir", "select", "semctl", "semget", "semop", "send", "setpgrp",
    "setpriority", "setsockopt", "setgrent", "sethostent", "setnetent", "setprotoent", "setpwent", "setservent",
    "shift", "shmctl", "shmget", "shmread", "shmwrite", "shutdown", "sin", "sleep",
    "socket", "socketpair", "sort", "splice", "split", "sprintf", "sqrt", "srand",
    "stat", "study", "sub", "substr", "symlink", "syscall", "sysread", "system",
    "syswrite", "tell", "telldir", "tie", "time", "times", "truncate", "uc",
    "ucfirst", "umask", "undef", "unless", "unlink", "unpack", "unshift", "untie",
    "until", "use", "utime", "values", "vec", "wait", "waitpid", "wantarray",
    "warn", "while", "write",
};
static_assert(std::size(kKeywords) == 211);

constexpr std::size_t kLongest = 16;  // "getprotobynumber"

// Every keyword is lower-case ASCII, so the first letter and the length pick a
// bucket of at most a handful of words; the tokenizers call this per word.
struct KeywordIndex {
  std::array<std::array<std::vector<std::string_view>, kLongest + 1>, 26> buckets;
  KeywordIndex() {
    for (std::string_view w : kKeywords) buckets[w[0] - 'a'][w.size()].push_back(w);
  }
};

const KeywordIndex& Index() {
  static const KeywordIndex index;
  return index;
}

}  // namespace

std::span<const std::string_view> PerlKeywords() { return kKeywords; }

bool IsPerlKeyword(std::string_view word) {
  if (word.empty() || word.size() > kLongest || word[0] < 'a' || word[0] > 'z') return false;
  for (std::string_view w : Index().buckets[word[0] - 'a'][word.size()])
    if (w == word) return true;
  return false;
}

PerlWord ClassifyPerlWord(std::string_view word, bool ended, unsigned char next) {
  if (IsPerlKeyword(word)) return PerlWord::kKeyword;
  const bool twoPart = word == "s" || word == "y" || word == "tr";
  if (!twoPart && word != "m" && word != "q" && word != "qq" && word != "qx") return PerlWord::kPlain;
  if (ended || next == ' ' || next == '\t' || next == '\n') return PerlWord::kPlain;
  return twoPart ? PerlWord::kQuoteLikeTwoPart : PerlWord::kQuoteLike;
}

}  // namespace corvella
