// The run copy: for the length of a run a script's file holds the editor's text, and the user's own bytes come back at its end.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

#include "platform/AtomicFile.h"

namespace corvella {

// Every write to a script that may be under a run goes through here and
// holds Lock(): a run ends on a thread of its own, and a save during the run
// must not cross its put-back.
class RunCopy {
 public:
  enum class Failure {
    None,
    PendingPutBack,  // an earlier run's bytes could not be put back yet
    Copy,            // the script's bytes could not be read or copied
    Record,          // the journal could not keep them: no way back after a crash
    Write,           // the run copy could not be written (the script is as it was)
  };

  static std::mutex& Lock();

  // Keeps the script's bytes (the temporary copy and the journal, both on
  // the disk) and then writes `runCopy` over the script, writable for the run.
  static Failure Start(const std::string& script, std::string_view runCopy, int* error);
  // The run is over: the user's bytes go back. 0, or the errno that kept
  // them from it; the journal then keeps them for a later try.
  static int PutBack(const std::string& script);
  // Where the bytes wait that PutBack could not put back.
  static std::string WaitingBytes(const std::string& script);
  // A save: writes `bytes` over `path`. During a run they become what the
  // run's end puts back; after a failed put-back they end the wait.
  static int Save(const std::string& path, std::string_view bytes);
  // As above, the bytes made as they are written: an ordinary save never
  // holds them all (a save during a run or into the file itself does).
  static int Save(const std::string& path, const BytePieces& pieces);
};

}  // namespace corvella
