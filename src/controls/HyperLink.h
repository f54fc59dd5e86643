// A dialog's text label made into a link: its caption drawn underlined in blue, a hand over it, a click opens the caption.
#pragma once

#include <functional>

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QUrl>

namespace corvella {

// The caption is the only data: a web address opens the browser, a
// "mailto:" address the mail program, both through the desktop's default
// handler. Whether that succeeds is not looked at.
class CHyperLink : public QLabel {
  Q_OBJECT

 public:
  // RGB(0, 0, 255).
  static constexpr QRgb kLinkColor = 0xFF0000FFu;

  explicit CHyperLink(const QString& caption, QWidget* parent = nullptr);
  ~CHyperLink() override;

  // The font the caption is drawn in: the dialog's own font with the
  // underline added, whatever font the label itself was given.
  QFont LinkFont() const;
  // What a click hands to the desktop.
  QUrl LinkUrl() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Open(const QUrl& url) const;
};

}  // namespace corvella
