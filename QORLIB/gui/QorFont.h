#pragma once

#include "QORLIB/gui/QorResource.h"

// A font by face name and size in points.
class QorFont : public QorResource
{
public:
    virtual const char* getName() const = 0;
    virtual double getSize() const = 0;
};
