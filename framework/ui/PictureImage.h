#pragma once
// The pixels of a Picture (framework only).

#include "framework/ui/Picture.h"

#include <QImage>

namespace fw {

struct Picture::Image {
    QImage image;
};

// A picture of the image, with one reference for the caller.
Ref<Picture> MakePicture(QImage image);

} // namespace fw
