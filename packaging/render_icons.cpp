// quorvandel-render-icons: writes the program's icon into an icon theme
// folder for installing, from the same drawing as the window icon:
//   quorvandel-render-icons OUTPUT_FOLDER ICON_NAME SIZE...
// makes OUTPUT_FOLDER/hicolor/<size>x<size>/apps/ICON_NAME.png for each size
// and OUTPUT_FOLDER/hicolor/scalable/apps/ICON_NAME.svg.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>
#include <cstdlib>

#include "resources/icons.h"

namespace {

// The scalable icon is drawn at this size, with the arrow.
constexpr int svg_design_size = 256;

bool Make_folder(const QString& folder) {
  if (QDir().mkpath(folder)) return true;
  std::fprintf(stderr, "quorvandel-render-icons: cannot make %s\n", qPrintable(folder));
  return false;
}

bool Write_png(const QString& theme, const QString& name, int size) {
  const QString folder = QStringLiteral("%1/%2x%2/apps").arg(theme).arg(size);
  if (!Make_folder(folder)) return false;
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    quorvandel::Paint_main_icon(painter, size);
  }
  const QString path = folder + '/' + name + ".png";
  if (image.save(path, "PNG")) return true;
  std::fprintf(stderr, "quorvandel-render-icons: cannot write %s\n", qPrintable(path));
  return false;
}

bool Write_svg(const QString& theme, const QString& name) {
  const QString folder = theme + "/scalable/apps";
  if (!Make_folder(folder)) return false;
  const QString path = folder + '/' + name + ".svg";
  QSvgGenerator svg;
  svg.setFileName(path);
  svg.setSize(QSize(svg_design_size, svg_design_size));
  svg.setViewBox(QRect(0, 0, svg_design_size, svg_design_size));
  svg.setTitle(QStringLiteral("Quorvandel"));
  svg.setDescription(QStringLiteral("A Hebrew Alef and a Latin A on a blue tile, with a double arrow"));
  QPainter painter;
  if (!painter.begin(&svg)) {
    std::fprintf(stderr, "quorvandel-render-icons: cannot write %s\n", qPrintable(path));
    return false;
  }
  quorvandel::Paint_main_icon(painter, svg_design_size);
  return painter.end();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: quorvandel-render-icons OUTPUT_FOLDER ICON_NAME SIZE...\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QString theme = QString::fromLocal8Bit(argv[1]) + "/hicolor";
  const QString name = QString::fromLocal8Bit(argv[2]);
  for (int i = 3; i < argc; ++i) {
    char* end = nullptr;
    const long size = std::strtol(argv[i], &end, 10);
    if (*end != '\0' || size < 16 || size > 1024) {
      std::fprintf(stderr, "quorvandel-render-icons: not an icon size: %s\n", argv[i]);
      return 2;
    }
    if (!Write_png(theme, name, static_cast<int>(size))) return 1;
  }
  return Write_svg(theme, name) ? 0 : 1;
}
