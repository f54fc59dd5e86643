// A fixture with a real main window and its document manager over an in-memory profile; message boxes are recorded and answered through the frame's responders.
#pragma once

#include <memory>
#include <vector>

#include <QStringList>

#include <gtest/gtest.h>

#include "app/DocManager.h"
#include "app/MainFrame.h"
#include "base/MessageBox.h"
#include "base/Responders.h"
#include "base/Profile.h"

namespace corvella {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    responders.SetMessage([this](const QString& text, MsgIcon icon, MsgButtons) {
      messages << text;
      icons.push_back(icon);
      return answer;
    });
  }
  void TearDown() override {
    docs.reset();
    frame.reset();
  }
  // Creates the frame from what the profile holds now.
  void CreateFrame() {
    frame = std::make_unique<CMainFrame>(profile, nullptr);
    responders.Serve(frame.get());
    docs = std::make_unique<DocManager>(*frame, profile);
    frame->SetAppTarget(docs.get());
    ASSERT_TRUE(frame->Create());
  }

  MemoryProfile profile;
  // Answer the frame's messages, dialogs and desktop hand-overs.
  Responders responders;
  std::unique_ptr<CMainFrame> frame;
  std::unique_ptr<DocManager> docs;
  QStringList messages;
  std::vector<MsgIcon> icons;
  MsgResult answer = MsgResult::Cancel;
};

}  // namespace corvella
