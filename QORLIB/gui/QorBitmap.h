#pragma once

#include "QORLIB/gui/QorResource.h"

#include <cstdint>

// An image, sized in points (its pixels divided by its scale factor).
class QorBitmap : public QorResource
{
public:
    virtual double getWidth() = 0;
    virtual double getHeight() = 0;
    virtual int32_t getResourceId() const = 0;
};
