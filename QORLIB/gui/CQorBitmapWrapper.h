#pragma once

#include "QORLIB/gui/CQorBitmap.h"
#include "QORLIB/gui/QorBitmap.h"

namespace Qorwerk
{

// The framework's bitmap over one lazily decoded image.
class CQorBitmapWrapper : public QorBitmap
{
public:
    explicit CQorBitmapWrapper(int32_t resourceId) : bitmap_(resourceId) {}

    double getWidth() override { return bitmap_.getWidth(); }
    double getHeight() override { return bitmap_.getHeight(); }
    int32_t getResourceId() const override { return bitmap_.getResourceId(); }
    CQorBitmap& bitmap() { return bitmap_; }

private:
    CQorBitmap bitmap_;
};

} // namespace Qorwerk
