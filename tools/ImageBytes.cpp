#include "tools/ImageBytes.h"

#include <QBuffer>
#include <QByteArray>
#include <stdexcept>

namespace demo {

std::string encodeImage(const QImage& image, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format, quality))
        throw std::runtime_error(std::string("cannot encode a ") + format + " image");
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace demo
