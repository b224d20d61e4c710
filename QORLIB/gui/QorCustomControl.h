#pragma once

#include "QORLIB/gui/QorBaseControl.h"

// Base of the product's self-drawn controls (meter, about box, preset-bar controls).
class QorCustomControl : public QorBaseControl
{
public:
    QorCustomControl(const QorRect& rect, int32_t tag, QorBitmap* bitmap = nullptr)
        : QorBaseControl(rect, tag, bitmap, kCustomView)
    {
    }
};
