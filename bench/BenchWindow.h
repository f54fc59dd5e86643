// A real main window with its document manager for a benchmark: an in-memory profile, perl from /usr/bin, and no message box that waits.
#pragma once

#include "app/DocManager.h"
#include "app/MainFrame.h"
#include "base/MessageBox.h"
#include "base/Profile.h"
#include "base/Responders.h"

class BenchWindow {
 public:
  BenchWindow() : m_frame(m_profile, nullptr), m_docs(m_frame, m_profile) {
    m_responders.SetMessage([](const QString&, corvella::MsgIcon, corvella::MsgButtons) { return corvella::MsgResult::No; });
    m_responders.Serve(&m_frame);
    m_frame.SetAppTarget(&m_docs);
    m_frame.Create();
    m_frame.GetSettings().m_szPerlDir = "/usr/bin";
    m_frame.show();
  }
  corvella::CMainFrame& Frame() { return m_frame; }
  corvella::DocManager& Docs() { return m_docs; }

 private:
  corvella::MemoryProfile m_profile;
  corvella::Responders m_responders;
  corvella::CMainFrame m_frame;
  corvella::DocManager m_docs;
};
