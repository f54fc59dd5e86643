// The documents of the program: new, open, close, save-modified questions, Save All, Close All and the recent-file list.
#include "app/DocManager.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QTimer>

#include "app/ChildFrame.h"
#include "app/BackgroundCheck.h"
#include "app/DebugController.h"
#include "app/ErrorMarker.h"
#include "app/EncodingPaneMenu.h"
#include "app/PerldocPane.h"
#include "platform/AtomicFile.h"
#include "platform/FileNames.h"
#include "app/MainFrame.h"
#include "app/TemplateMenus.h"
#include "base/MessageBox.h"
#include "base/Profile.h"
#include "editor/MyView.h"
#include "export/HtmlExportCommand.h"
#include "res/Strings.h"
#include "editor/PaneTexts.h"
#include "editor/ScriptPrinter.h"
#include "res/resource.h"
#include "editor/MyDoc.h"
#include "editor/RecoveryKeeper.h"
#include "editor/OpenFileDlg.h"

namespace corvella {
namespace {

constexpr const char* kRecentSection = "Recent File List";

// Closing a document window asks the manager first.
class CloseGuard : public QObject {
 public:
  CloseGuard(DocManager& manager, CMyDoc* doc, QObject* parent) : QObject(parent), manager_(manager), doc_(doc) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Close && !manager_.SaveModified(doc_)) {
      event->ignore();
      return true;
    }
    return false;
  }

 private:
  DocManager& manager_;
  CMyDoc* doc_;
};

}  // namespace

struct DocManager::Entry {
  std::unique_ptr<CMyDoc> doc;
  CChildFrame* child = nullptr;
};

DocManager::DocManager(CMainFrame& frame, Profile& profile, QObject* parent)
    : QObject(parent), m_frame(frame), m_profile(profile), m_recovery(std::make_unique<RecoveryKeeper>()) {
  RegisterCommands();
  m_frame.SetDocumentHost(this);
  connect(&m_frame, &CMainFrame::created, this, [this] {
    m_debugger = std::make_unique<DebugController>(m_frame, *this);
    m_debugger->RegisterCommands(m_commands);
    (new PerldocPane(m_frame))->RegisterCommands(m_commands);  // the frame owns the pane
    m_errorMarker = std::make_unique<ErrorMarker>(m_frame, *this);
    m_check = std::make_unique<BackgroundCheck>(m_frame, *this, m_profile);
    m_check->RegisterCommands(m_commands);
  });
}

DocManager::~DocManager() {
  // The frame may outlive the manager: it must not call back into it.
  m_frame.SetDocumentHost(nullptr);
  m_frame.SetAppTarget(nullptr);
}

void DocManager::OpenFile(const QString& path) { OpenDocumentFile(path); }

int DocManager::RecentFileCount() const { return static_cast<int>(m_recent.size()); }

void DocManager::PaneDoubleClicked(int id, QWidget* pane) {
  // During a run the file on the disk is the run's copy, not the user's.
  if (CMyDoc* d = ActiveDocument(); d && !m_frame.IsRunning()) PopupCodeMenu(id, *d, pane);
}

CommandTarget* DocManager::ActiveDocumentTarget() { return nullptr; }

std::vector<CMyDoc*> DocManager::Documents() const {
  std::vector<CMyDoc*> docs;
  for (const auto& e : m_docs) docs.push_back(e->doc.get());
  return docs;
}

DocManager::Entry* DocManager::EntryOf(const CMyDoc* doc) const {
  for (const auto& e : m_docs) {
    if (e->doc.get() == doc) return e.get();
  }
  return nullptr;
}

CMyDoc* DocManager::DocumentOf(const CMyView* view) const {
  if (!view) return nullptr;
  for (const auto& e : m_docs) {
    if (&view->Document() == &e->doc->Text()) return e->doc.get();
  }
  return nullptr;
}

CMyDoc* DocManager::ActiveDocument() const { return DocumentOf(m_frame.ActiveView()); }

std::unique_ptr<CMyDoc> DocManager::NewDocument() const {
  auto doc = std::make_unique<CMyDoc>(m_frame.GetSettings());
  RecoveryKeeper::Prepare(doc->Text().Buffer());  // before any text is loaded
  return doc;
}

CMyView* DocManager::NewView(CMyDoc& doc) {
  doc.SetDialogParent(&m_frame);
  auto* view = new CMyView;
  view->SetDocument(doc.SharedText());
  return view;
}

void DocManager::WireView(CMyDoc& doc, CMyView* view) {
  CMyDoc* d = &doc;
  view->SetPrintHeader([d] { return d->GetPathName().isEmpty() ? d->GetTitle() : d->GetPathName(); });
  view->SetBreakpointHandlers([d](int line) { d->ToggleBreakpoint(line); }, [d] { d->ClearBreakpoints(); });
  connect(d, &CMyDoc::breakpointsChanged, view, &CMyView::RepaintMarks);
  connect(d, &CMyDoc::executionLineChanged, view, &CMyView::RepaintMarks);
  connect(d, &CMyDoc::errorMarksChanged, view, &CMyView::RepaintMarks);
  m_frame.Runner().AttachView(view, d);
}

// The second view starts where the first one is, with its own caret and
// scroll position from then on.
void DocManager::SplitActiveView() {
  CChildFrame* child = m_frame.ActiveChild();
  CMyView* first = m_frame.ActiveView();
  CMyDoc* doc = DocumentOf(first);
  if (!child || !doc || child->Views().size() != 1) return;
  CMyView* second = NewView(*doc);
  WireView(*doc, second);
  m_frame.AddView(child, second);
  const EditBuffer::Selection sel = first->Sel();
  second->SetSel(sel.anchor, sel.caret);
  second->SetFirstVisibleLine(first->FirstVisibleLine());
  first->SetSel(sel.anchor, sel.caret);  // the buffer's selection back to the view with the focus
  first->setFocus();
  // Half its height now: the caret stays in sight once the split is laid out.
  QTimer::singleShot(0, first, [first] { first->ScrollCaret(); });
}

DocManager::Entry* DocManager::Attach(std::unique_ptr<CMyDoc> doc, CMyView* view) {
  auto entry = std::make_unique<Entry>();
  entry->doc = std::move(doc);
  CMyDoc* d = entry->doc.get();
  WireView(*d, view);
  entry->child = m_frame.AddDocumentWindow(view, d->GetTitle());
  m_recovery->Watch(d);
  CChildFrame* child = entry->child;
  connect(d, &CMyDoc::titleChanged, child, [child](const QString& title) { child->setWindowTitle(title); });
  connect(d, &CMyDoc::addToRecentFileList, this, &DocManager::AddToRecentFileList);
  child->installEventFilter(new CloseGuard(*this, d, child));
  connect(child, &QObject::destroyed, this, [this, d] { CloseDocument(d); });
  m_docs.push_back(std::move(entry));
  m_frame.ShowMenuFor(true);
  return m_docs.back().get();
}

void DocManager::CloseDocument(CMyDoc* doc) {
  std::erase_if(m_docs, [doc](const std::unique_ptr<Entry>& e) { return e->doc.get() == doc; });
  m_frame.ShowMenuFor(!m_docs.empty());
}

CMyDoc* DocManager::OnFileNew() {
  auto doc = NewDocument();
  doc->OnNewDocument();
  auto* view = NewView(*doc);
  doc->SetTitle(QString::fromUtf8(str::kUntitledName) + QString::number(++m_nUntitled));
  return Attach(std::move(doc), view)->doc.get();
}

CMyDoc* DocManager::OpenRecovered(const RecoveryRecord& record) {
  CMyDoc* doc = nullptr;
  if (record.path.empty()) {
    doc = OnFileNew();
  } else {
    auto made = NewDocument();
    made->OnNewDocument();
    auto* view = NewView(*made);
    made->SetPathName(QFile::decodeName(QByteArray::fromStdString(record.path)), false);
    doc = Attach(std::move(made), view)->doc.get();
  }
  doc->SetCodes(static_cast<EncodingCode>(record.kanjiCode), static_cast<NewlineCode>(record.crlf));
  doc->LoadRecovered(record.text);
  return doc;
}

int DocManager::OfferRecovery() {
  std::vector<std::string> keptAside;
  const std::vector<RecoveryRecord> records = m_recovery->ClaimAbandoned(&keptAside);
  if (!keptAside.empty()) {
    QStringList kept;
    for (const std::string& path : keptAside) kept << QFile::decodeName(QByteArray::fromStdString(path));
    ShowMessage(&m_frame, QString::fromUtf8(str::kRecoveryCopiesKept).arg(kept.join(QLatin1Char('\n'))),
                MsgIcon::Exclamation);
  }
  if (records.empty()) {
    m_recovery->DropClaimed();
    return 0;
  }
  QStringList names;
  for (const RecoveryRecord& r : records) {
    names << (r.path.empty() ? QString::fromStdString(r.title) : QFile::decodeName(QByteArray::fromStdString(r.path)));
  }
  const bool restore = ShowMessage(&m_frame, QString::fromUtf8(str::kRecoveryOffer).arg(names.join(QLatin1Char('\n'))),
                                   MsgIcon::Question, MsgButtons::YesNo) == MsgResult::Yes;
  if (!restore) {
    m_recovery->DropClaimed();  // declined: the only copies ever deleted unopened
    return 0;
  }
  for (const RecoveryRecord& r : records) OpenRecovered(r);
  m_recovery->DropClaimedOnceWritten();
  return static_cast<int>(records.size());
}

CMyDoc* DocManager::OpenDocumentFile(const QString& given) {
  const QString path = QString::fromStdString(PathForOpening(given.toStdString()));
  for (const auto& e : m_docs) {
    if (e->doc->GetPathName() == path) {
      e->child->ActivateFrame();
      return e->doc.get();
    }
  }
  auto doc = NewDocument();
  doc->SetDialogParent(&m_frame);
  if (!doc->OnOpenDocument(path)) return nullptr;
  auto* view = NewView(*doc);
  doc->SetPathName(path, false);
  RemoveStaleSaveFiles(QFile::encodeName(path).toStdString());
  CMyDoc* opened = Attach(std::move(doc), view)->doc.get();
  AddToRecentFileList(path);
  return opened;
}

bool DocManager::SaveModified(CMyDoc* doc) {
  if (!doc || !doc->IsModified()) return true;
  const QString name = doc->GetPathName().isEmpty() ? doc->GetTitle() : doc->GetPathName();
  const QString prompt = QString::fromUtf8(str::kAskToSave).arg(name);
  switch (ShowMessage(&m_frame, prompt, MsgIcon::Question, MsgButtons::YesNoCancel)) {
    case MsgResult::Yes: return doc->DoFileSave();
    case MsgResult::No: return true;
    default: return false;
  }
}

bool DocManager::SaveAllModified() {
  for (CMyDoc* doc : Documents()) {
    if (!SaveModified(doc)) return false;
  }
  return true;
}

void DocManager::CloseAll() {
  // A document whose question is cancelled stays open; the others close.
  for (CMyDoc* doc : Documents()) {
    Entry* e = EntryOf(doc);
    if (!e || !SaveModified(doc)) continue;
    e->doc->SetModifiedFlag(false);
    e->child->close();
  }
}

void DocManager::SaveAll() {
  for (CMyDoc* doc : Documents()) {
    if (doc->IsModified()) doc->DoFileSave();
  }
}

void DocManager::AddToRecentFileList(const QString& path) {
  m_recent.removeAll(path);
  m_recent.prepend(path);
  while (m_recent.size() > kRecentFiles) m_recent.removeLast();
}

void DocManager::LoadRecentFileList() {
  m_recent.clear();
  for (int i = 1; i <= kRecentFiles; ++i) {
    const std::string path = m_profile.GetProfileString(kRecentSection, "File" + std::to_string(i));
    if (!path.empty()) m_recent << QString::fromStdString(path);
  }
}

void DocManager::SaveRecentFileList() {
  m_profile.DeleteSection(kRecentSection);
  for (int i = 0; i < m_recent.size(); ++i) {
    m_profile.WriteProfileString(kRecentSection, "File" + std::to_string(i + 1), m_recent[i].toStdString());
  }
}

void DocManager::RegisterCommands() {
  using namespace res;
  auto needDoc = [this](CmdUI& ui) { ui.enabled = ActiveDocument() != nullptr; };
  m_commands.On(ID_FILE_NEW, [this] { OnFileNew(); });
  m_commands.On(ID_FILE_PRINT_SETUP, [this] { SetUpPrinter(&m_frame); });
  // The encoding and newline panes show the active document's codes.
  m_commands.On(ID_INDICATOR_KANJI, {}, [this](CmdUI& ui) {
    if (CMyDoc* d = ActiveDocument()) ui.text = QString::fromStdString(KanjiPaneText(d->KanjiCode()));
  });
  m_commands.On(ID_INDICATOR_CRLF, {}, [this](CmdUI& ui) {
    if (CMyDoc* d = ActiveDocument()) ui.text = QString::fromStdString(NewlinePaneText(d->CrLf()));
  });
  m_commands.On(ID_FILE_OPEN, [this] {
    OnFileOpen(&m_frame, m_frame.GetSettings(), [this](const QString& path) { return OpenDocumentFile(path) != nullptr; });
  });
  m_commands.On(ID_FILE_SAVE, [this] { if (CMyDoc* d = ActiveDocument()) d->DoFileSave(); }, needDoc);
  m_commands.On(ID_FILE_SAVE_AS, [this] { if (CMyDoc* d = ActiveDocument()) d->DoSave(QString(), true); }, needDoc);
  m_commands.On(ID_FILE_CLOSE, [this] { if (CChildFrame* c = m_frame.ActiveChild()) c->close(); }, needDoc);
  m_commands.On(ID_FILE_SAVE_ALL, [this] { SaveAll(); }, needDoc);
  m_commands.On(ID_WINDOW_CLOSE_ALL, [this] { CloseAll(); }, needDoc);
  m_commands.On(ID_WINDOW_SPLIT_VIEW, [this] { SplitActiveView(); }, [this](CmdUI& ui) {
    CChildFrame* child = m_frame.ActiveChild();
    ui.enabled = child && ActiveDocument() && child->Views().size() == 1;
  });
  m_commands.On(ID_WINDOW_UNSPLIT_VIEW, [this] {
    if (CChildFrame* child = m_frame.ActiveChild()) child->KeepActiveViewOnly();
  }, [this](CmdUI& ui) {
    CChildFrame* child = m_frame.ActiveChild();
    ui.enabled = child && child->Views().size() > 1;
  });
  m_commands.On(ID_FILE_HTML_EXPORT, [this] {
    CMyView* view = m_frame.ActiveView();
    if (CMyDoc* d = DocumentOf(view)) ExportHtml(&m_frame, *view, m_profile, d->GetTitle(), d->GetPathName());
  }, [this](CmdUI& ui) {
    CMyView* view = m_frame.ActiveView();
    ui.enabled = DocumentOf(view) && CanExportHtml(*view);
  });
  m_commands.On(ID_TEMPLATE_ORGANIZE, [this] {
    m_frame.Templates().Organize([this](const QString& path) { return OpenDocumentFile(path) != nullptr; });
  }, [this](CmdUI& ui) { ui.enabled = !m_frame.Templates().Templates().isEmpty(); });
  m_commands.OnRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE1 + kRecentFiles - 1, [this](int id) {
    const int i = id - ID_FILE_MRU_FILE1;
    if (i >= m_recent.size()) return;
    const QString path = m_recent[i];
    // A file that cannot be opened leaves the list.
    if (!OpenDocumentFile(path)) m_recent.removeAll(path);
  }, [this](CmdUI& ui) {
    const int i = ui.id - ID_FILE_MRU_FILE1;
    ui.enabled = i < m_recent.size();
    // Shown shortened to 30 characters, numbered from 1.
    if (i < m_recent.size()) {
      ui.text = QStringLiteral("&%1 %2").arg(i + 1).arg(
          QString::fromStdString(AbbreviatePath(m_recent[i].toStdString(), 30)));
    }
  });
}

}  // namespace corvella
