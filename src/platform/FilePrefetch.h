// Reading the files named at start-up on a thread of their own while the window is being made.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/AtomicFile.h"

namespace corvella {

// While it lives, the files are read in order on a second thread, so that
// their opens find the bytes already in memory. Only one prefetch is active
// at a time; ReadPrefetchedOrWhole finds it.
class FilePrefetch {
 public:
  explicit FilePrefetch(std::vector<std::string> paths);
  // Stops reading what nobody took and frees it.
  ~FilePrefetch();
  FilePrefetch(const FilePrefetch&) = delete;
  FilePrefetch& operator=(const FilePrefetch&) = delete;

  // Frees the bytes of the files not taken so far and reads no more.
  void Finish();

  class Reader;  // the thread and its files

 private:
  std::unique_ptr<Reader> m_reader;
};

// As ReadWholeFileBytes. Bytes the active prefetch read for this very path
// are handed over when the file is still the one they were read from (the
// same device, inode, size and modification time); a read still under way is
// finished with this thread's help. Anything else (the file replaced or
// changed meanwhile, a failed or short read) reads the file afresh, so that
// every error is reported as a plain read reports it.
FileBytesResult ReadPrefetchedOrWhole(const std::string& path);

}  // namespace corvella
