#pragma once
// The pixels of a Picture (framework only).

#include <QImage>

#include "framework/ui/Picture.h"

namespace fw {

struct Picture::Image {
    QImage image;
};

// A picture of the image, with one reference for the caller.
Ref<Picture> MakePicture(QImage image);

} // namespace fw
