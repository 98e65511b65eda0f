#pragma once
// Pictures: an image read from a file, drawn by the window system.

#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Object.h"

#include <cstdint>
#include <memory>

namespace fw {

class Picture : public Object {
public:
    Picture();
    ~Picture() override;

    static const ClassRecord* Lookup();

    std::int32_t Width() const;
    std::int32_t Height() const;

    // The pixels, as the window system holds them (PictureImage.h).
    struct Image;
    const Image& image() const noexcept { return *image_; }
    void setImage(std::unique_ptr<Image> image);

private:
    std::unique_ptr<Image> image_;
};

} // namespace fw
