// The run copy of a script document: the editor's text written over its file for a run, the user's bytes kept aside with a record that outlives a crash, and put back at the end.
#pragma once

#include <functional>
#include <string>

#include <QPointer>
#include <QString>

class QWidget;

namespace corvella {

class CMyDoc;
struct Settings;

class ScriptRunCopy {
 public:
  // `settings` (the frame's) gives "AutoSave" and "SaveAsSJIS"; `saveAll` is
  // the step "save every modified document" (none: skipped; false: the user
  // cancelled); what goes wrong is shown over `parent`.
  ScriptRunCopy(CMyDoc& doc, const Settings& settings, std::function<bool()> saveAll = {}, QWidget* parent = nullptr);

  // Keeps the file's bytes in the temporary folder and writes the editor's
  // text over the file (CR+LF, and Shift_JIS when "SaveAsSJIS" is on, when
  // `convert`). The document's codes and modified flag stay as they were.
  // False when the run must not start.
  bool Save(bool convert);
  // Puts the kept bytes back over the document's file and deletes the copy.
  bool PutBack() const;
  // The same for a path the caller noted; no widget is touched, so a run's
  // worker thread may call it. The copy is deleted only once it is back;
  // when it cannot be, `tell` gets what the user should be told (the file
  // then still holds the run copy).
  static bool PutBack(const std::string& script, const std::function<void(const QString&)>& tell = {});

 private:
  CMyDoc& m_doc;
  const Settings& m_settings;
  std::function<bool()> m_saveAll;
  QPointer<QWidget> m_parent;
};

}  // namespace corvella
