#include "io/picture_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include "io/atomic_file.h"
#include "io/io_error.h"

namespace quillon {

void WritePictureFile(const std::string& path, PictureFormat format, std::int32_t width,
                      std::int32_t height, const std::vector<std::uint8_t>& rgba) {
  if (width <= 0 || height <= 0 ||
      rgba.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
    throw IoError("The picture holds no pixels.");
  }
  // The frame's alpha is meaningless for a picture of the screen.
  const QImage image = QImage(rgba.data(), width, height, width * 4, QImage::Format_RGBA8888)
                           .convertToFormat(QImage::Format_RGB888);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, format == PictureFormat::Bmp ? "BMP" : "PNG")) {
    throw IoError("The picture could not be encoded.");
  }
  WriteFileAtomically(path, std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace quillon
