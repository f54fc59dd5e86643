// Keeps a recovery copy of every modified document, written a little after typing pauses.
#include "editor/RecoveryKeeper.h"

#include <QFile>

#include <unistd.h>

#include "document/EditBuffer.h"
#include "editor/MyDoc.h"
#include "platform/FileNames.h"
#include "platform/RecoveryStore.h"

namespace corvella {

RecoveryKeeper::RecoveryKeeper(QObject* parent) : QObject(parent) {
  m_reaper.setInterval(100);
  connect(&m_reaper, &QTimer::timeout, this, &RecoveryKeeper::Reap);
}

void RecoveryKeeper::Prepare(EditBuffer& buffer) { buffer.SetBulkAdvice(&AdviseHugePages); }

// A normal end: the store removes this program's copies. A writer still at
// work is waited for, so that it cannot put a copy back afterwards.
RecoveryKeeper::~RecoveryKeeper() {
  for (auto& [serial, entry] : m_entries) {
    while (entry->writer > 0 && !RecoveryStore::Ended(entry->writer)) ::usleep(1000);
  }
}

RecoveryStore& RecoveryKeeper::Store() {
  if (!m_store) m_store = std::make_unique<RecoveryStore>();
  return *m_store;
}

void RecoveryKeeper::Watch(CMyDoc* doc) {
  auto owned = std::make_unique<Entry>();
  Entry& entry = *owned;
  entry.serial = m_nextSerial++;
  entry.doc = doc;
  entry.idle.setSingleShot(true);
  entry.longest.setSingleShot(true);
  connect(&entry.idle, &QTimer::timeout, this, [this, &entry] { Write(entry); });
  connect(&entry.longest, &QTimer::timeout, this, [this, &entry] { Write(entry); });
  m_entries.emplace(entry.serial, std::move(owned));
  connect(doc, &CMyDoc::textChanged, this, [this, &entry] { Changed(entry); });
  connect(doc, &CMyDoc::modifiedChanged, this, [this, &entry](bool modified) {
    if (modified) Changed(entry);
    else Discard(entry);
  });
  // Closed without saving: its copy goes (once a write under way is over).
  connect(doc, &QObject::destroyed, this, [this, serial = entry.serial] {
    auto it = m_entries.find(serial);
    if (it == m_entries.end()) return;
    Discard(*it->second);
    if (it->second->writer <= 0) m_entries.erase(it);
  });
}

void RecoveryKeeper::Changed(Entry& entry) {
  if (!entry.doc || !entry.doc->IsModified()) return;
  entry.idle.start(kIdleMs);
  if (!entry.longest.isActive()) entry.longest.start(kLongestMs);
}

void RecoveryKeeper::Write(Entry& entry) {
  entry.idle.stop();
  entry.longest.stop();
  CMyDoc* doc = entry.doc;
  if (!doc || !doc->IsModified()) return;
  if (entry.writer > 0) {
    entry.again = true;  // written again once the copy under way is in place
    return;
  }
  RecoveryRecord record;
  record.path = QFile::encodeName(doc->GetPathName()).toStdString();
  record.title = doc->GetTitle().toStdString();
  record.kanjiCode = doc->KanjiCode();
  record.crlf = doc->CrLf();
  record.readOnly = !record.path.empty() && IsReadOnlyFile(record.path);
  const EditBuffer& buffer = doc->Text().Buffer();
  const std::string header = FormatRecoveryHeader(record, buffer.GetTextLength());
  // The child sees the buffer as it is now, whatever is typed meanwhile.
  entry.writer = Store().WriteInChild(entry.serial, header, [&buffer](int fd) {
    bool ok = true;
    buffer.ForEachPiece([&ok, fd](const char* bytes, std::size_t size) { ok = ok && WriteAllTo(fd, bytes, size); });
    return ok;
  });
  if (entry.writer > 0) {
    entry.hasCopy = true;
    m_reaper.start();
  }
}

void RecoveryKeeper::Discard(Entry& entry) {
  entry.idle.stop();
  entry.longest.stop();
  entry.again = false;
  if (!entry.hasCopy || entry.writer > 0) return;  // a writer's copy goes when it ends
  Store().Remove(entry.serial);
  entry.hasCopy = false;
}

void RecoveryKeeper::Reap() {
  bool busy = false;
  for (auto it = m_entries.begin(); it != m_entries.end();) {
    Entry& entry = *it->second;
    if (bool written = false; entry.writer > 0 && RecoveryStore::Ended(entry.writer, &written)) {
      entry.writer = 0;
      entry.written = written;
      if (!entry.doc) {  // closed meanwhile
        Store().Remove(entry.serial);
        it = m_entries.erase(it);
        continue;
      }
      if (!entry.doc->IsModified()) {
        Discard(entry);
      } else if (entry.again) {
        entry.again = false;
        Write(entry);
      }
    }
    busy = busy || entry.writer > 0;
    ++it;
  }
  if (busy) return;
  m_reaper.stop();
  if (!m_dropClaimedWhenWritten) return;
  m_dropClaimedWhenWritten = false;
  for (const auto& [serial, entry] : m_entries) {
    if (entry->doc && entry->doc->IsModified() && !entry->written) return;  // kept until this program ends
  }
  Store().DropClaimed();
}

std::vector<RecoveryRecord> RecoveryKeeper::ClaimAbandoned(std::vector<std::string>* keptAside) {
  return Store().ClaimAbandoned(keptAside);
}

void RecoveryKeeper::DropClaimedOnceWritten() {
  for (auto& [serial, entry] : m_entries) Write(*entry);
  m_dropClaimedWhenWritten = true;
  m_reaper.start();
}

void RecoveryKeeper::DropClaimed() { Store().DropClaimed(); }

}  // namespace corvella
