#include "tools/u_about.h"

#include <QColor>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStringList>
#include <QStyle>

#include "resources/icons.h"
#include "tools/modal_result.h"
#include "tools/window_placement.h"

namespace quorvandel {
namespace {

const QColor sky_blue(166, 202, 240);
const QColor navy(0, 0, 128);
const QColor link_colour(0, 0, 255);
const QColor pressed_link_colour(255, 0, 0);

constexpr int main_panel_border_width = 20;

// The box's own type face, with look-alikes for systems that lack it.
QFont Comic_font(int pixel_size) {
  QFont font;
  font.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"), QStringLiteral("Comic Relief"),
                    QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixel_size);
  return font;
}

QLabel* Text_label(const QString& text, const QFont& font, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setFont(font);
  return label;
}

}  // namespace

QPoint Picture_position(QSize panel_size, int panel_border_width, QSize picture_size) {
  return {panel_size.width() - panel_border_width - 2 - picture_size.width(),
          panel_size.height() - panel_border_width - 2 - picture_size.height()};
}

TAbout::TAbout(Url_opener_service& url_opener_service, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      Outer_panel(new Bevel_panel(Bevel::raised, Bevel::lowered, 5, this)),
      Main_panel(new Bevel_panel(Bevel::none, Bevel::lowered, main_panel_border_width, Outer_panel)),
      Bottom_panel(new QWidget(Outer_panel)),
      Title(Text_label(QStringLiteral("Quorvandel"), Comic_font(38), Main_panel)),
      Version(Text_label(QString(), Comic_font(18), Main_panel)),
      Author(Text_label(QString(), Comic_font(18), Main_panel)),
      Licence(Text_label(QString(), Comic_font(14), Main_panel)),
      Label3(new QLabel(tr("E-mail address:"), Main_panel)),
      Label2(new QLabel(QString::fromLatin1(mail_address), Main_panel)),
      ABC(new QLabel(Main_panel)),
      BitBtn1(new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), Bottom_panel)),
      url_opener(url_opener_service) {
  setFixedSize(480, 454);
  setPalette(QPalette(sky_blue));
  setAutoFillBackground(true);

  Outer_panel->setGeometry(0, 0, 480, 454);
  Main_panel->setGeometry(9, 8, 462, 383);
  Bottom_panel->setGeometry(7, 391, 466, 58);

  Title->setGeometry(21, 36, 420, 56);
  Title->setAlignment(Qt::AlignCenter);
  QPalette title_palette = Title->palette();
  title_palette.setColor(QPalette::WindowText, navy);
  Title->setPalette(title_palette);
  Version->setGeometry(21, 106, 420, 26);
  Version->setAlignment(Qt::AlignCenter);
  Author->setGeometry(21, 136, 420, 26);
  Author->setAlignment(Qt::AlignCenter);
  Licence->setGeometry(21, 164, 420, 22);
  Licence->setAlignment(Qt::AlignCenter);

  QFont link_font = Label3->font();
  link_font.setPixelSize(15);
  Label3->setFont(link_font);
  Label3->adjustSize();
  Label3->move(44, 200);
  link_font.setUnderline(true);
  Label2->setTextFormat(Qt::PlainText);
  Label2->setFont(link_font);
  Label2->setCursor(Qt::PointingHandCursor);
  Label2->adjustSize();
  Label2->move(Label3->geometry().right() + 8, Label3->y());
  if (layoutDirection() == Qt::RightToLeft) {  // the label at the right, the address to its left
    Label3->move(Main_panel->width() - Label3->x() - Label3->width(), Label3->y());
    Label2->move(Label3->x() - 8 - Label2->width(), Label3->y());
  }
  Set_link_colour(link_colour);
  Label2->installEventFilter(this);

  ABC->setPixmap(About_picture());
  ABC->setAlignment(Qt::AlignCenter);
  ABC->resize(about_picture_width, about_picture_height);

  BitBtn1->adjustSize();
  BitBtn1->move((Bottom_panel->width() - BitBtn1->width()) / 2, (Bottom_panel->height() - BitBtn1->height()) / 2);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(mr_ok); });

  FormCreate();
}

void TAbout::reject() { done(mr_cancel); }

void TAbout::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Centre_on_screen(*this);
  BitBtn1->setFocus();
}

bool TAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label2) {
    if (event->type() == QEvent::MouseButtonPress) Label2MouseDown();
    if (event->type() == QEvent::MouseButtonRelease) Label2MouseUp();
  }
  return QDialog::eventFilter(watched, event);
}

void TAbout::FormCreate() {
  Version->setText(tr("Version %1    (%2)").arg(QStringLiteral(QUORVANDEL_VERSION), tr("Mar. 04, 2002")));
  Author->setText(tr("© 2002 Quorvandel developers"));
  Licence->setText(tr("Free software under the GNU GPL, version 3 or later"));
  ABC->move(Picture_position(Main_panel->size(), Main_panel->Border_width(), ABC->size()));
}

void TAbout::Label2MouseDown() { Set_link_colour(pressed_link_colour); }

void TAbout::Label2MouseUp() {
  Set_link_colour(link_colour);
  Label2->repaint();
  if (!url_opener.Open(std::string("mailto:") + mail_address)) emit Mail_launch_failed();
}

void TAbout::Set_link_colour(const QColor& colour) {
  QPalette link_palette = Label2->palette();
  link_palette.setColor(QPalette::WindowText, colour);
  Label2->setPalette(link_palette);
}

}  // namespace quorvandel
