#pragma once

#include "QORLIB/gui/QorGuiTypes.h"

#include <cstdint>
#include <string>

class QorMasterGraphicalEngine;

// The product editor: builds its controls into the product area and translates between
// controls and parameters. The engine owns it.
class QorBaseEditor
{
public:
    QorBaseEditor(QorMasterGraphicalEngine* engine, const QorRect& rect) : engine_(engine), rect_(rect) {}
    virtual ~QorBaseEditor() = default;
    QorBaseEditor(const QorBaseEditor&) = delete;
    QorBaseEditor& operator=(const QorBaseEditor&) = delete;

    // Called once the frame and the product-area container exist: create every control.
    virtual void open() = 0;
    // Called before the frame goes: forget every control.
    virtual void close() = 0;
    // A parameter changed on the host side (or a private message index).
    virtual void setParameter(int32_t index, double value) = 0;
    // A control reports a user change; returns the value it keeps.
    virtual double valueChanged(uint32_t tag, double value) = 0;
    // The parameter whose host gestures a control with this tag makes, or -1.
    virtual int32_t parameterOfTag(uint32_t) const { return -1; }
    // Periodic refresh from the engine's idle.
    virtual void idle() = 0;
    // The value of the control with this tag as the host's displays write it, for the value
    // readout; empty when the control shows no value.
    virtual std::string readoutText(uint32_t /*tag*/) const { return {}; }

    const QorRect& getRect() const { return rect_; }
    QorMasterGraphicalEngine* getEngine() const { return engine_; }

protected:
    QorMasterGraphicalEngine* engine_;
    QorRect rect_;
};
