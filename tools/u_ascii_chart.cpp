#include "tools/u_ascii_chart.h"

#include <QFont>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "engine/cp1255.h"
#include "tools/modal_result.h"
#include "tools/window_placement.h"

namespace quorvandel {
namespace {

constexpr QSize initial_outer_size(331, 357);
constexpr QSize minimum_outer_size(240, 200);
constexpr int bottom_panel_height = 44;
constexpr int button_width = 104;
constexpr int codes = 255;  // 1..255; code 0 has no row
constexpr int row_height = 24;

// A monospaced bold face with the Hebrew letters; look-alikes stand in on
// systems without the first choice.
QFont Chart_font() {
  QFont font;
  font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                    QStringLiteral("DejaVu Sans Mono")});
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(17);
  font.setBold(true);
  return font;
}

// Draws a cell, then the line at its right edge: the chart separates its
// columns but not its rows.
class Column_line_delegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(option.palette.color(QPalette::Mid));
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->restore();
  }
};

QTableWidgetItem* Read_only_item(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

}  // namespace

TASCIIChart::TASCIIChart(QWidget* parent)
    : QDialog(parent, system_menu_dialog_flags),
      Chart(new QTableWidget(codes, 2, this)),
      Bottom_panel(new QWidget(this)),
      BitBtn1(new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), Bottom_panel)) {
  setWindowTitle(tr("Windows Codepage 1255 Chart"));
  resize(initial_outer_size);
  setMinimumSize(minimum_outer_size);

  Chart->setFont(Chart_font());
  Chart->setItemDelegate(new Column_line_delegate(Chart));
  Chart->setShowGrid(false);
  Chart->setWordWrap(false);
  Chart->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Chart->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Chart->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Chart->verticalScrollBar()->setTracking(true);
  Chart->verticalHeader()->hide();
  Chart->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  Chart->verticalHeader()->setDefaultSectionSize(row_height);
  QHeaderView* header = Chart->horizontalHeader();
  header->setFont(Chart_font());  // the header row is written like the rest of the chart
  header->setDefaultSectionSize(128);
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header->setHighlightSections(false);

  Bottom_panel->setFixedHeight(bottom_panel_height);
  BitBtn1->resize(button_width, BitBtn1->sizeHint().height());
  BitBtn1->move(0, (bottom_panel_height - BitBtn1->height()) / 2);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(mr_ok); });

  auto* form = new QVBoxLayout(this);
  form->setContentsMargins(0, 0, 0, 0);
  form->setSpacing(0);
  form->addWidget(Chart, 1);
  form->addWidget(Bottom_panel);

  FormCreate();
}

QString TASCIIChart::Cell_text(int column, int row) const {
  const QTableWidgetItem* item =
      row == 0 ? Chart->horizontalHeaderItem(column) : Chart->item(row - 1, column);
  return item != nullptr ? item->text() : QString();
}

void TASCIIChart::reject() { done(mr_cancel); }

void TASCIIChart::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

void TASCIIChart::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!sized_for_frame_ && frameGeometry().size() != size()) {
    // The borders are known once the window is on the screen; the sizes
    // above are meant with them.
    sized_for_frame_ = true;
    setMinimumSize(Inner_size(minimum_outer_size));
    resize(Inner_size(initial_outer_size));
    FormResize();
  }
  Centre_on_screen(*this);
}

void TASCIIChart::FormCreate() {
  Chart->setHorizontalHeaderItem(0, Read_only_item(tr("Code")));
  Chart->setHorizontalHeaderItem(1, Read_only_item(tr("Character")));
  FormResize();
  for (int code = 1; code <= codes; ++code) {
    const char32_t character = Unicode_from_unit(static_cast<Unit>(code));
    Chart->setItem(code - 1, 0, Read_only_item(QString::number(code)));
    Chart->setItem(code - 1, 1, Read_only_item(QString::fromUcs4(&character, 1)));
  }
}

void TASCIIChart::FormResize() {
  const int outer_width = frameGeometry().width();
  const int column_width = outer_width / 2 - 18;
  Chart->setColumnWidth(0, column_width);
  Chart->setColumnWidth(1, column_width);
  BitBtn1->move((outer_width - BitBtn1->width()) / 2, BitBtn1->y());
}

QSize TASCIIChart::Inner_size(QSize outer) const { return outer - (frameGeometry().size() - size()); }

}  // namespace quorvandel
