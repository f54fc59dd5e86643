// A fixture with a real main window and its document manager over an in-memory profile; message boxes are recorded and answered.
#pragma once

#include <memory>
#include <vector>

#include <QStringList>

#include <gtest/gtest.h>

#include "app/DocManager.h"
#include "app/MainFrame.h"
#include "base/MessageBox.h"
#include "base/Profile.h"

namespace corvella {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetMessageHook([this](const QString& text, MsgIcon icon, MsgButtons) {
      messages << text;
      icons.push_back(icon);
      return answer;
    });
  }
  void TearDown() override {
    docs.reset();
    frame.reset();
    SetMessageHook({});
  }
  // Creates the frame from what the profile holds now.
  void CreateFrame() {
    frame = std::make_unique<CMainFrame>(profile, nullptr);
    docs = std::make_unique<DocManager>(*frame, profile);
    frame->SetAppTarget(docs.get());
    ASSERT_TRUE(frame->Create());
  }

  MemoryProfile profile;
  std::unique_ptr<CMainFrame> frame;
  std::unique_ptr<DocManager> docs;
  QStringList messages;
  std::vector<MsgIcon> icons;
  MsgResult answer = MsgResult::Cancel;
};

}  // namespace corvella
