#pragma once

#include "QORLIB/gui/toolkit/DrawContext.h"

#include <memory>

typedef struct _cairo_surface cairo_surface_t;

namespace qortk
{

// A drawing context over a 1 × 1 pixel surface, for measuring text before anything is painted
// (so that only the rectangle that will change needs to be redrawn).
class ScratchContext
{
public:
    ScratchContext();
    ~ScratchContext();
    ScratchContext(const ScratchContext&) = delete;
    ScratchContext& operator=(const ScratchContext&) = delete;
    DrawContext& context() { return *context_; }

private:
    cairo_surface_t* surface_;
    cairo_t* cr_;
    std::unique_ptr<DrawContext> context_;
};

} // namespace qortk
