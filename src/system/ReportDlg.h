// The environment report shown for copying into a support request.
#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace corvella {

class CReportDlg : public QDialog {
  Q_OBJECT

 public:
  // `report` holds the lines as FormatReport makes them (CR LF).
  explicit CReportDlg(const QString& report, QWidget* parent = nullptr);
  QPlainTextEdit* ReportField() const { return m_report; }

 private:
  QPlainTextEdit* m_report;
};

}  // namespace corvella
