#pragma once

#include "QORLIB/gui/QorGuiTypes.h"
#include "QORLIB/gui/QorPluginFormat.h"

#include <cstdint>

class QorBitmap;
class QorViewContainer;

// The editor engine as the product editor and its controls see it. All calls on the GUI thread.
class QorMasterGraphicalEngine
{
public:
    virtual ~QorMasterGraphicalEngine() = default;
    virtual void setBackground(QorBitmap* bitmap) = 0;
    virtual void setBackgroundById(int32_t resourceId) = 0;
    virtual void addContainer(QorViewContainer* container) = 0;
    virtual void removeContainer(QorViewContainer* container) = 0;
    virtual QorViewContainer* createViewContainer(const QorRect& rect) = 0;
    virtual bool isContainerAttached(QorViewContainer* container) = 0;
    virtual void getScaledSize(QorPoint& size) = 0;
    virtual void getButtonState(uint32_t& flags) = 0;
    virtual void setKnobMode(uint32_t mode) = 0;
    virtual void sendParameter(int32_t index, double value) = 0;
    // A user's gesture on a parameter (press to release): hosts hear touch, the sends, release.
    virtual void beginEdit(int32_t) {}
    virtual void endEdit(int32_t) {}
    virtual void resize(int32_t width, int32_t height) = 0;
    virtual void setResizeBatch(bool open) = 0;
    virtual void invalidateAll() = 0;
    virtual int32_t parameterMouseDown(int32_t tag, uint32_t buttons) = 0;
    virtual void idle() = 0;
    virtual void forwardParameter(int32_t index, double value) = 0;
    virtual double getZoomFactor() = 0;
    // The format the host glue runs the editor in.
    virtual const QorPluginFormat& pluginFormat() const { return QorPluginFormats::kUnnamed; }
};
