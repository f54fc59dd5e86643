// The environment report shown for copying into a support request.
#include "system/ReportDlg.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "res/Strings.h"

namespace corvella {

CReportDlg::CReportDlg(const QString& report, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8(str::kReportTitle));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString::fromUtf8(str::kReportText), this));
  m_report = new QPlainTextEdit(this);
  m_report->setReadOnly(true);
  m_report->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_report->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  // The widget keeps lines at LF; a copy is taken as the text shows.
  m_report->setPlainText(QString(report).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  m_report->setMinimumSize(460, 150);
  layout->addWidget(m_report, 1);
  auto* ok = new QPushButton(QString::fromUtf8(str::kButtonOk), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignRight);
}

}  // namespace corvella
