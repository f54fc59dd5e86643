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
class RecoveryStore;

class RecoveryKeeper : public QObject {
  Q_OBJECT

 public:
  // Copies go to `folder` (the store's default when empty).
  explicit RecoveryKeeper(std::string folder = {}, QObject* parent = nullptr);
  ~RecoveryKeeper() override;

  // The copy is written `idleMs` after the last change, and at least every
  // `maxMs` while changes go on.
  void SetDelays(int idleMs, int maxMs);
  void Watch(CMyDoc* doc);
  // Writes the copy of `doc` at once (when it is modified and no write of it
  // is under way).
  void WriteNow(CMyDoc* doc);
  // True while no copy is being written.
  bool Idle() const;

  // Copies left by programs that died, and their removal.
  std::vector<RecoveryRecord> ClaimAbandoned();
  void DropClaimed();

 private:
  struct Entry {
    int serial = 0;
    QPointer<CMyDoc> doc;
    QTimer idle, longest;
    pid_t writer = 0;
    bool again = false;    // changed again while being written
    bool hasCopy = false;  // a copy may be on the disk
  };

  void Changed(Entry& entry);
  void Write(Entry& entry);
  void Discard(Entry& entry);
  void Reap();
  RecoveryStore& Store();

  std::string m_folder;
  std::unique_ptr<RecoveryStore> m_store;
  std::map<int, std::unique_ptr<Entry>> m_entries;  // by serial
  int m_nextSerial = 1;
  int m_idleMs = 2000;
  int m_maxMs = 30000;
  QTimer m_reaper;
};

}  // namespace corvella
