#pragma once
// Encoding a drawn picture into the bytes of an image file.

#include <QImage>
#include <string>

namespace demo {

// The image in `format` ("PNG", "JPEG"); throws when Qt cannot write it,
// for instance when its image-format plugin is missing.
std::string encodeImage(const QImage& image, const char* format, int quality = -1);

} // namespace demo
