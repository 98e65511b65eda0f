#include "framework/ui/Picture.h"

#include "framework/files/FolderItem.h"
#include "framework/ui/PictureImage.h"

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

// FolderItemOpenImage: the file's format is told by its contents, not its
// name; a file that is missing, unreadable or holds no image gives nil.
Ref<Picture> FolderItem::OpenAsPicture() const {
    if (path().empty())
        return Ref<Picture>();
    QImageReader reader(QString::fromStdString(path().string()));
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull())
        return Ref<Picture>();
    return MakePicture(std::move(image));
}

} // namespace fw
