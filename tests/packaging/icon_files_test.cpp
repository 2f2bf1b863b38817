// The icon files that an install puts into the icon theme are the window
// icon: each PNG is the window icon's picture at its size, and the SVG
// draws the same picture.
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/application_id.h"
#include "resources/icons.h"

namespace quorvandel {
namespace {

QString Theme_file(const QString& folder) {
  return QStringLiteral(QUORVANDEL_ICON_FOLDER "/%1/apps/%2").arg(folder, application_id);
}

// The mean difference of the channels of two pictures of one size, 0..255.
double Mean_difference(const QImage& a, const QImage& b) {
  const QImage left = a.convertToFormat(QImage::Format_ARGB32);
  const QImage right = b.convertToFormat(QImage::Format_ARGB32);
  double sum = 0;
  for (int y = 0; y < left.height(); ++y) {
    for (int x = 0; x < left.width(); ++x) {
      const QRgb p = left.pixel(x, y);
      const QRgb q = right.pixel(x, y);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) +
             std::abs(qAlpha(p) - qAlpha(q));
    }
  }
  return sum / (4.0 * left.width() * left.height());
}

TEST(IconFiles, EachPngIsTheWindowIconAtItsSize) {
  const QIcon window_icon = Main_icon();
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    SCOPED_TRACE(size);
    const QImage file(Theme_file(QStringLiteral("%1x%1").arg(size)) + ".png");
    ASSERT_FALSE(file.isNull());
    EXPECT_EQ(file.size(), QSize(size, size));
    const QImage drawn = window_icon.pixmap(size).toImage();
    EXPECT_EQ(drawn.size(), QSize(size, size));
    EXPECT_EQ(file.convertToFormat(QImage::Format_ARGB32), drawn.convertToFormat(QImage::Format_ARGB32));
  }
  const QImage between(Theme_file("22x22") + ".png");  // a theme size the window icon leaves to scaling
  EXPECT_EQ(between.size(), QSize(22, 22));
}

TEST(IconFiles, TheSvgDrawsTheLargestPicture) {
  QSvgRenderer svg(Theme_file("scalable") + ".svg");
  ASSERT_TRUE(svg.isValid());
  QImage rendered(256, 256, QImage::Format_ARGB32_Premultiplied);
  rendered.fill(Qt::transparent);
  {
    QPainter painter(&rendered);
    svg.render(&painter);
  }
  const QImage png(Theme_file("256x256") + ".png");
  ASSERT_EQ(png.size(), rendered.size());
  // Anti-aliasing may differ by a shade at the edges, never in what is drawn.
  EXPECT_LT(Mean_difference(rendered, png), 2.0);
  QImage empty(256, 256, QImage::Format_ARGB32);
  empty.fill(Qt::transparent);
  EXPECT_GT(Mean_difference(rendered, empty), 20.0) << "the SVG draws something";
}

}  // namespace
}  // namespace quorvandel
