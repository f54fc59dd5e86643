// The filter run of a macro: "perl" on macro/<name>.pl beside the program with the selection on standard input; what it prints replaces the selection.
#pragma once

#include <string>

#include <QPointer>

class QWidget;

namespace corvella {

class CMyView;
struct Settings;

class FilterRun {
 public:
  FilterRun(const Settings& settings, QWidget* window);

  // The selection goes in with LF line ends; what the macro prints replaces
  // it as one undo step, what it writes to standard error is shown. A macro
  // that does not end can be broken off and changes nothing.
  void Run(CMyView& view, const std::string& name);

 private:
  const Settings& m_settings;
  QPointer<QWidget> m_window;
};

}  // namespace corvella
