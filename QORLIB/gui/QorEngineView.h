#pragma once

#include "QORLIB/gui/QorGuiTypes.h"

class QorBitmap;

// The toolkit side of one control, through which the control asks for redraws and reports
// the user's edits.
class QorEngineView
{
public:
    virtual ~QorEngineView() = default;
    virtual void invalidate() = 0;
    virtual void takeValue(double value) = 0;
    virtual void reportEdit(double value) = 0;
    // A gesture of the user's starts or ends (between them the control reports its edits).
    virtual void reportBeginEdit() {}
    virtual void reportEndEdit() {}
    virtual void setHint(const char* text) = 0;
    virtual void takeViewSize(const QorRect& r) = 0;
    virtual void takeMouseableArea(const QorRect& r) = 0;
    virtual void takeBitmap(QorBitmap* bitmap) = 0;
    virtual void takeTag(int32_t tag) = 0;
};
