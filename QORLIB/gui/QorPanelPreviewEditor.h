#pragma once

#include "QORLIB/gui/QorBaseEditor.h"

class QorViewContainer;

// A product editor that shows only the product's panel, for looking at the frame and the
// artwork before the controls exist.
class QorPanelPreviewEditor : public QorBaseEditor
{
public:
    explicit QorPanelPreviewEditor(QorMasterGraphicalEngine* engine);

    void open() override;
    void close() override { container_ = nullptr; }
    void setParameter(int32_t, double) override {}
    double valueChanged(uint32_t, double value) override { return value; }
    void idle() override {}

private:
    QorViewContainer* container_ = nullptr;
};
