// The about box: program icon, name, maker's notice, version, the maker's web and mail links, and the build date.
#include "controls/AboutDlg.h"

#include <algorithm>

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include "base/Responders.h"
#include "controls/BuildStamp.h"
#include "controls/HyperLink.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace corvella {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// The box's own font: a proportional Japanese gothic at 9 points, falling
// back to the desktop's font family.
QFont DialogFont(const QFont& base) {
  QFont font = base;
  font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"), base.family()});
  font.setPointSize(9);
  return font;
}

// Dialog units of a font: a quarter of its average letter width across, an
// eighth of its line height down.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font) {
    const QFontMetrics fm(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = std::max(1, (fm.horizontalAdvance(letters) + 26) / 52);
    baseY_ = std::max(1, fm.height());
  }
  int X(int units) const { return (units * baseX_ + 2) / 4; }
  int Y(int units) const { return (units * baseY_ + 4) / 8; }
  QRect Rect(int x, int y, int cx, int cy) const { return QRect(X(x), Y(y), X(cx), Y(cy)); }

 private:
  int baseX_ = 1;
  int baseY_ = 1;
};

// The layout, in dialog units.
constexpr int kWidth = 183, kHeight = 95;
constexpr int kTextLeft = 40, kTextWidth = 136, kLineHeight = 8;
constexpr int kIconSize = 32;  // pixels

}  // namespace

CAboutDlg::CAboutDlg(const QIcon& icon, QWidget* parent) : QDialog(parent) {
  setObjectName(QString::number(res::IDD_ABOUTBOX));
  setWindowTitle(Text(str::kAboutTitle));
  setFont(DialogFont(font()));
  const DialogUnits du(font());
  QRect extent;  // everything placed, to keep a larger font from clipping

  auto place = [&](QWidget* w, const QRect& rect) {
    w->setGeometry(rect);
    extent |= rect;
  };
  // A text line at its place, at least as wide as its text.
  auto textLine = [&](QLabel* label, int y) {
    const QRect rect = du.Rect(kTextLeft, y, kTextWidth, kLineHeight);
    place(label, QRect(rect.topLeft(), rect.size().expandedTo(label->sizeHint())));
  };
  auto staticText = [&](const char* text, const char* name, int y) {
    auto* label = new QLabel(Text(text), this);
    label->setObjectName(QLatin1String(name));
    textLine(label, y);
    return label;
  };

  auto* iconLabel = new QLabel(this);
  iconLabel->setObjectName(QStringLiteral("icon"));
  iconLabel->setPixmap(icon.pixmap(kIconSize, kIconSize));
  place(iconLabel, QRect(QPoint(du.X(11), du.Y(12)), QSize(kIconSize, kIconSize)));

  staticText(str::kAppTitle, "name", 10);
  staticText(str::kAboutNotice, "notice", 22);
  staticText(str::kAboutVersion, "version", 34);

  // The links are only as wide as their captions, so the hand shows over
  // the text and nowhere else.
  auto link = [&](const char* caption, int id, int y) {
    auto* label = new CHyperLink(Text(caption), this);
    label->setObjectName(QString::number(id));
    place(label, QRect(du.Rect(kTextLeft, y, 0, 0).topLeft(), label->sizeHint()));
  };
  link(str::kAboutUrl, res::IDC_ABOUT_URL, 46);
  link(str::kAboutMail, res::IDC_ABOUT_MAIL, 56);

  auto* build = new QLabel(this);
  build->setObjectName(QString::number(res::IDC_ABOUT_BUILD));
  textLine(build, 66);  // widened again once its text is in

  auto* ok = new QPushButton(Text(str::kButtonOk), this);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  place(ok, du.Rect(126, 76, 50, 14));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  OnInitDialog();
  extent |= build->geometry();

  const QSize size = QSize(du.X(kWidth), du.Y(kHeight))
                         .expandedTo(QSize(extent.right() + 1 + du.X(7), extent.bottom() + 1 + du.Y(5)));
  setFixedSize(size);
}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::OnInitDialog() {
  auto* build = findChild<QLabel*>(QString::number(res::IDC_ABOUT_BUILD));
  build->setText(QString::fromStdString(FormatBuildStamp(__DATE__, __TIME__)));
  build->resize(build->size().expandedTo(build->sizeHint()));
}

int CAboutDlg::DoModal() { return RunModal(*this); }

}  // namespace corvella
