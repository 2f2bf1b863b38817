// quorvandel-render-ico: writes the program's icon as a Windows icon file,
//   quorvandel-render-ico OUTPUT.ico
// from the same drawing as the window icon, at 16, 24, 32, 48, 64, 128 and
// 256 pixels. Written by hand because Qt's icon writer puts one picture in
// a file: the sizes below 256 are 32-bit bitmaps with their alpha channel
// (what every icon reader takes), the 256 one is PNG, as Windows keeps it.
// A tool of the build machine: it needs Qt there.
#include <QBuffer>
#include <QByteArray>
#include <QSaveFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <array>
#include <cstdint>
#include <cstdio>

#include "resources/icons.h"

namespace {

constexpr std::array<int, 7> icon_sizes = {16, 24, 32, 48, 64, 128, 256};
constexpr int png_size = 256;
constexpr int directory_size = 6;
constexpr int entry_size = 16;
constexpr int bitmap_header_size = 40;

void Put_16(QByteArray& out, std::uint16_t value) {
  out.append(static_cast<char>(value & 0xFF));
  out.append(static_cast<char>(value >> 8));
}

void Put_32(QByteArray& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.append(static_cast<char>((value >> shift) & 0xFF));
}

QImage Draw(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  quorvandel::Paint_main_icon(painter, size);
  painter.end();
  return image.convertToFormat(QImage::Format_ARGB32);  // icons hold straight alpha
}

// A bitmap as an icon holds it: the header with twice the height (the
// colour rows and the mask's), the colour rows bottom-up in BGRA, and a
// mask of zero bits (the alpha channel decides).
QByteArray Bitmap_entry(const QImage& image) {
  const int size = image.width();
  QByteArray out;
  Put_32(out, bitmap_header_size);
  Put_32(out, static_cast<std::uint32_t>(size));
  Put_32(out, static_cast<std::uint32_t>(2 * size));
  Put_16(out, 1);   // planes
  Put_16(out, 32);  // bits a pixel
  Put_32(out, 0);   // no compression
  const int mask_row_bytes = ((size + 31) / 32) * 4;
  Put_32(out, static_cast<std::uint32_t>(size * size * 4 + mask_row_bytes * size));
  for (int i = 0; i < 4; ++i) Put_32(out, 0);  // resolution and palette
  for (int y = size - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < size; ++x) {
      out.append(static_cast<char>(qBlue(row[x])));
      out.append(static_cast<char>(qGreen(row[x])));
      out.append(static_cast<char>(qRed(row[x])));
      out.append(static_cast<char>(qAlpha(row[x])));
    }
  }
  out.append(QByteArray(mask_row_bytes * size, '\0'));
  return out;
}

QByteArray Png_entry(const QImage& image) {
  QByteArray out;
  QBuffer buffer(&out);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quorvandel-render-ico OUTPUT.ico\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);

  std::array<QByteArray, icon_sizes.size()> pictures;
  for (std::size_t i = 0; i < icon_sizes.size(); ++i) {
    const QImage image = Draw(icon_sizes[i]);
    pictures[i] = icon_sizes[i] == png_size ? Png_entry(image) : Bitmap_entry(image);
  }
  QByteArray file;
  Put_16(file, 0);  // reserved
  Put_16(file, 1);  // an icon, not a cursor
  Put_16(file, static_cast<std::uint16_t>(icon_sizes.size()));
  std::uint32_t offset = directory_size + entry_size * static_cast<std::uint32_t>(icon_sizes.size());
  for (std::size_t i = 0; i < icon_sizes.size(); ++i) {
    const int size = icon_sizes[i];
    file.append(static_cast<char>(size >= 256 ? 0 : size));  // 0 means 256
    file.append(static_cast<char>(size >= 256 ? 0 : size));
    file.append('\0');  // no palette
    file.append('\0');
    Put_16(file, 1);
    Put_16(file, 32);
    Put_32(file, static_cast<std::uint32_t>(pictures[i].size()));
    Put_32(file, offset);
    offset += static_cast<std::uint32_t>(pictures[i].size());
  }
  for (const QByteArray& picture : pictures) file.append(picture);

  QSaveFile output(QString::fromLocal8Bit(argv[1]));
  if (!output.open(QIODevice::WriteOnly) || output.write(file) != file.size() || !output.commit()) {
    std::fprintf(stderr, "quorvandel-render-ico: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
