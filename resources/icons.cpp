#include "resources/icons.h"

#include <QColor>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QStringList>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace quorvandel {
namespace {

constexpr int icon_sizes[] = {16, 24, 32, 48, 64, 128, 256};

enum class Tile_state { plain, switched_on, switched_off };

// The letters as strokes in a unit square, y pointing down.
QPainterPath Alef_strokes() {
  QPainterPath path;
  path.moveTo(0.12, 0.08);  // the diagonal
  path.lineTo(0.88, 0.92);
  path.moveTo(0.82, 0.06);  // the upper right arm, down onto the diagonal
  path.quadTo(0.88, 0.40, 0.56, 0.48);
  path.moveTo(0.44, 0.54);  // the lower left leg, with its foot
  path.quadTo(0.16, 0.60, 0.20, 0.92);
  path.lineTo(0.06, 0.92);
  return path;
}

QPainterPath Latin_a_strokes() {
  QPainterPath path;
  path.moveTo(0.08, 0.94);
  path.lineTo(0.50, 0.06);
  path.lineTo(0.92, 0.94);
  path.moveTo(0.27, 0.64);
  path.lineTo(0.73, 0.64);
  return path;
}

void Draw_strokes(QPainter& painter, const QPainterPath& unit_path, const QRectF& box, const QColor& colour,
                  qreal pen_width, Qt::PenJoinStyle join) {
  const QTransform to_box = QTransform().translate(box.x(), box.y()).scale(box.width(), box.height());
  painter.strokePath(to_box.map(unit_path), QPen(colour, pen_width, Qt::SolidLine, Qt::RoundCap, join));
}

// A filled arrow head whose tip is at `tip`, pointing along `direction`.
void Draw_arrow_head(QPainter& painter, QPointF tip, QPointF direction, qreal length, const QColor& colour) {
  const qreal norm = std::hypot(direction.x(), direction.y());
  if (norm == 0) return;
  const QPointF along = direction / norm;
  const QPointF across(-along.y(), along.x());
  const QPointF base = tip - along * length;
  const QPolygonF head{tip, base + across * (length * 0.6), base - across * (length * 0.6)};
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawPolygon(head);
}

void Draw_double_arrow(QPainter& painter, QLineF line, const QColor& colour, qreal width) {
  const QPointF along = line.p2() - line.p1();
  const qreal head = width * 2.2;
  const QPointF unit = along / line.length();
  painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
  painter.drawLine(QLineF(line.p1() + unit * (head * 0.8), line.p2() - unit * (head * 0.8)));
  Draw_arrow_head(painter, line.p2(), along, head, colour);
  Draw_arrow_head(painter, line.p1(), -along, head, colour);
}

void Paint_tile(QPainter& painter, int size, Tile_state state) {
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  const bool off = state == Tile_state::switched_off;

  const QRectF tile(s * 0.03, s * 0.03, s * 0.94, s * 0.94);
  QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
  fill.setColorAt(0, off ? QColor(178, 178, 178) : QColor(74, 140, 235));
  fill.setColorAt(1, off ? QColor(118, 118, 118) : QColor(22, 62, 152));
  painter.setPen(QPen(off ? QColor(84, 84, 84) : QColor(12, 36, 100), std::max(1.0, s / 32)));
  painter.setBrush(fill);
  painter.drawRoundedRect(tile, s * 0.18, s * 0.18);

  // Below 24 pixels the arrow would be a smudge: the letters take its room.
  const bool with_arrow = size >= 24;
  const qreal top = with_arrow ? 0.15 : 0.17;
  const qreal height = with_arrow ? 0.50 : 0.66;
  const qreal pen = s * (size < 24 ? 0.10 : 0.075);
  Draw_strokes(painter, Alef_strokes(), QRectF(s * 0.12, s * top, s * 0.33, s * height),
               off ? QColor(232, 232, 232) : Qt::white, pen, Qt::RoundJoin);
  Draw_strokes(painter, Latin_a_strokes(), QRectF(s * 0.55, s * top, s * 0.33, s * height),
               off ? QColor(206, 206, 206) : QColor(255, 212, 64), pen, Qt::MiterJoin);
  if (with_arrow) {
    Draw_double_arrow(painter, QLineF(s * 0.20, s * 0.80, s * 0.80, s * 0.80),
                      off ? QColor(220, 220, 220) : QColor(255, 255, 255), s * 0.05);
  }

  if (state == Tile_state::switched_on) {
    // In the top right corner, clear of the A except at the smallest sizes.
    const qreal radius = s * (size < 24 ? 0.16 : 0.10);
    painter.setPen(QPen(Qt::white, std::max(1.0, s / 32)));
    painter.setBrush(QColor(40, 200, 60));
    painter.drawEllipse(QPointF(s * 0.87, s * 0.13), radius, radius);
  } else if (off) {
    painter.setPen(QPen(QColor(215, 30, 30), s * 0.10, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(s * 0.14, s * 0.14), QPointF(s * 0.86, s * 0.86));
  }
}

QPixmap Tile(int size, Tile_state state) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  Paint_tile(painter, size, state);
  return pixmap;
}

QIcon Tile_icon(Tile_state state) {
  QIcon icon;
  for (const int size : icon_sizes) icon.addPixmap(Tile(size, state));
  return icon;
}

// One alphabet card, turned by `angle` degrees about its centre.
void Draw_card(QPainter& painter, const QRectF& card, qreal angle, const QString& letters, const QColor& ink) {
  painter.save();
  painter.translate(card.center());
  painter.rotate(angle);
  const QRectF around_centre(-card.width() / 2, -card.height() / 2, card.width(), card.height());
  painter.setPen(QPen(QColor(20, 40, 110), 2));
  painter.setBrush(QColor(255, 250, 228));
  painter.drawRoundedRect(around_centre, 9, 9);
  QFont font;
  font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  font.setPixelSize(25);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(ink);
  painter.drawText(around_centre, Qt::AlignCenter, letters);
  painter.restore();
}

void Draw_curved_arrow(QPainter& painter, QPointF from, QPointF bend, QPointF to, const QColor& colour) {
  QPainterPath curve(from);
  curve.quadTo(bend, to);
  const qreal head = 9;
  // Stop the line short of the tip so that the head covers its end.
  const QPointF direction = to - bend;
  const QPointF shortened = to - direction / std::hypot(direction.x(), direction.y()) * (head * 0.7);
  QPainterPath line(from);
  line.quadTo(bend, shortened);
  painter.setPen(QPen(colour, 3.5, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(line);
  Draw_arrow_head(painter, to, direction, head, colour);
}

}  // namespace

QIcon Main_icon() { return Tile_icon(Tile_state::plain); }

void Paint_main_icon(QPainter& painter, int size) { Paint_tile(painter, size, Tile_state::plain); }

QIcon Enabled_icon() { return Tile_icon(Tile_state::switched_on); }

QIcon Disabled_icon() { return Tile_icon(Tile_state::switched_off); }

QPixmap About_picture() {
  QPixmap picture(about_picture_width, about_picture_height);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  // Alef, Bet, Gimel.
  Draw_card(painter, QRectF(8, 20, 68, 76), -7, QStringLiteral("\u05D0\u05D1\u05D2"), QColor(20, 40, 130));
  Draw_card(painter, QRectF(89, 20, 68, 76), 7, QStringLiteral("ABC"), QColor(170, 20, 30));
  const QColor orange(240, 134, 20);
  Draw_curved_arrow(painter, QPointF(112, 15), QPointF(82, -6), QPointF(52, 14), orange);
  Draw_curved_arrow(painter, QPointF(53, 101), QPointF(83, 122), QPointF(113, 102), orange);
  return picture;
}

}  // namespace quorvandel
