#pragma once

#include <cstdint>
#include <memory>

namespace qortk
{
class Bitmap;
}

namespace Qorwerk
{

// An image of the product by resource id, decoded from the embedded PNG bytes on first use
// and never again. An id without an image, or bytes that do not decode, give a blank
// 400 × 350-pixel bitmap, so callers always get a usable 200 × 175-point image.
class CQorBitmap
{
public:
    static constexpr double kScaleFactor = 2.0;
    static constexpr int kBlankWidth = 400;
    static constexpr int kBlankHeight = 350;

    explicit CQorBitmap(int32_t resourceId) : id_(resourceId) {}

    int32_t getResourceId() const { return id_; }
    bool isLoaded() const { return loaded_; }
    double getWidth();
    double getHeight();
    const std::shared_ptr<qortk::Bitmap>& platformBitmap();

private:
    void load();
    int32_t id_;
    bool loaded_ = false;
    std::shared_ptr<qortk::Bitmap> platform_;
};

} // namespace Qorwerk
