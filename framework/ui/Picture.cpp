#include "framework/ui/Picture.h"

#include "framework/files/FolderItem.h"
#include "framework/ui/PictureImage.h"

#include <QFile>
#include <QImageReader>

namespace fw {

const ClassRecord* Picture::Lookup() {
    static const ClassRecord record = [] {
        ClassRecord r = BuildFrameworkClass("Picture", nullptr, &AllocateAs<Picture>, {});
        r.instanceSize = sizeof(Picture);
        return r;
    }();
    return &record;
}

Picture::Picture() : image_(std::make_unique<Image>()) {}
Picture::~Picture() = default;

std::int32_t Picture::Width() const {
    return image_->image.width();
}
std::int32_t Picture::Height() const {
    return image_->image.height();
}

void Picture::setImage(std::unique_ptr<Image> image) {
    image_ = image ? std::move(image) : std::make_unique<Image>();
}

Ref<Picture> MakePicture(QImage image) {
    Ref<Picture> picture = make<Picture>();
    picture->setClassRecord(Picture::Lookup());
    picture->setImage(std::make_unique<Picture::Image>(Picture::Image{std::move(image)}));
    return picture;
}

namespace {

// The format that a file's first bytes announce, for the formats a window
// picture comes in; empty for any other. Naming it spares the reader from
// loading every image plugin in turn to ask each whether it knows the file.
QByteArray formatAnnouncedBy(QIODevice& file) {
    const QByteArray head = file.peek(8);
    if (head.startsWith("\xFF\xD8\xFF"))
        return "jpeg";
    if (head.startsWith("\x89PNG\r\n\x1A\n"))
        return "png";
    if (head.startsWith("GIF8"))
        return "gif";
    if (head.startsWith("BM"))
        return "bmp";
    return {};
}

} // namespace

// FolderItemOpenImage: the file's format is told by its contents, not its
// name; a file that is missing, unreadable or holds no image gives nil.
Ref<Picture> FolderItem::OpenAsPicture() const {
    if (path().empty())
        return Ref<Picture>();
    QFile file(QString::fromStdString(path().string()));
    if (!file.open(QIODevice::ReadOnly))
        return Ref<Picture>();
    QImage image;
    if (const QByteArray format = formatAnnouncedBy(file); !format.isEmpty()) {
        QImageReader reader(&file, format);
        reader.setAutoDetectImageFormat(false);
        image = reader.read();
        file.seek(0);
    }
    if (image.isNull()) // an unknown format, or one that its first bytes belied
        image = QImageReader(&file).read();
    if (image.isNull())
        return Ref<Picture>();
    return MakePicture(std::move(image));
}

} // namespace fw
