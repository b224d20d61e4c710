#include "QORLIB/gui/QorPanelPreviewEditor.h"

#include "QORLIB/gui/QorBitmapGlobals.h"
#include "QORLIB/gui/QorMasterGraphicalEngine.h"
#include "QORLIB/gui/QorViewContainer.h"

QorPanelPreviewEditor::QorPanelPreviewEditor(QorMasterGraphicalEngine* engine) : QorBaseEditor(engine, {0, 0, 400, 275})
{
}

void QorPanelPreviewEditor::open()
{
    QorBitmap* panel = QorBitmapGlobals::get(QorBitmapGlobals::kPanel);
    engine_->setBackground(panel);
    container_ = engine_->createViewContainer(rect_);
    container_->setBackground(panel);
    engine_->addContainer(container_);
}
