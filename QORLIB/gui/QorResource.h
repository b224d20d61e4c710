#pragma once

// Common base of the framework's shared resources (bitmaps, fonts).
class QorResource
{
public:
    virtual ~QorResource() = default;
};
