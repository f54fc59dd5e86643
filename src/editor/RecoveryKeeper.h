// Keeps a recovery copy of every modified document, written a little after typing pauses, so that a crash loses nothing typed.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <sys/types.h>

#include "platform/RecoveryRecord.h"

namespace corvella {

class CMyDoc;
class EditBuffer;
class RecoveryStore;

class RecoveryKeeper : public QObject {
  Q_OBJECT

 public:
  // Copies go to the store's folder ($XDG_STATE_HOME/Corvella/recovery/).
  explicit RecoveryKeeper(QObject* parent = nullptr);
  ~RecoveryKeeper() override;

  // The copy is written kIdleMs after the last change, and at least every
  // kLongestMs while changes go on.
  void Watch(CMyDoc* doc);
  // Before a text is loaded into `buffer`: a large one goes on huge pages,
  // so that the forked writer's snapshot of it is cheap.
  static void Prepare(EditBuffer& buffer);

  // Copies left by programs that died (those failing their check are kept
  // aside, their paths in `keptAside`), and their removal.
  std::vector<RecoveryRecord> ClaimAbandoned(std::vector<std::string>* keptAside = nullptr);
  void DropClaimed();
  // Writes the copy of every modified document now and drops the claimed
  // copies once all of those are on the disk: restored text is never
  // without a copy.
  void DropClaimedOnceWritten();

 private:
  struct Entry {
    int serial = 0;
    QPointer<CMyDoc> doc;
    QTimer idle, longest;
    pid_t writer = 0;
    bool again = false;    // changed again while being written
    bool hasCopy = false;  // a copy may be on the disk
    bool written = false;  // the last write put its copy in place
  };

  void Changed(Entry& entry);
  void Write(Entry& entry);
  void Discard(Entry& entry);
  void Reap();
  RecoveryStore& Store();

  std::unique_ptr<RecoveryStore> m_store;
  std::map<int, std::unique_ptr<Entry>> m_entries;  // by serial
  int m_nextSerial = 1;
  bool m_dropClaimedWhenWritten = false;
  static constexpr int kIdleMs = 2000;
  static constexpr int kLongestMs = 30000;
  QTimer m_reaper;
};

}  // namespace corvella
