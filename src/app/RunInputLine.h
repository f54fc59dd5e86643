// The input line under the output pane: what the user types for a running script's standard input, a line at a time, and the end of that input.
#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace corvella {

class RunInputLine : public QWidget {
  Q_OBJECT

 public:
  explicit RunInputLine(QWidget* parent = nullptr);

  // Shown empty, enabled and with the focus for a run that takes typed
  // input; hidden after it.
  void Begin();
  void End();
  QLineEdit& Edit() const { return *m_edit; }

 signals:
  // Enter: the line typed, without a line end.
  void lineEntered(const QString& line);
  // Ctrl+D or the button: the input ends; the line stays disabled until End.
  void inputClosed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CloseInput();

  QLineEdit* m_edit;
  QPushButton* m_close;
};

}  // namespace corvella
