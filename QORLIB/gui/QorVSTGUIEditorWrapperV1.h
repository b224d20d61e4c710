#pragma once

#include "QORLIB/gui/QorBaseEditor.h"
#include "QORLIB/gui/QorMasterGraphicalEngine.h"
#include "QORLIB/gui/toolkit/ControlListener.h"

#include <functional>
#include <memory>
#include <vector>

namespace qortk
{
class FramePlatform;
class ViewContainer;
} // namespace qortk

namespace Qorwerk
{

class CQorBitmapWrapper;
class CQorViewContainerWrapper;
class QorFrame;

// The editor engine on our toolkit: it owns the product editor, opens a frame with the
// product-area container, turns control edits into the product editor's valueChanged, and
// keeps the editor's size.
class QorVSTGUIEditorWrapperV1 : public QorMasterGraphicalEngine, public qortk::ControlListener
{
public:
    using EditorFactory = std::function<std::unique_ptr<QorBaseEditor>(QorMasterGraphicalEngine*)>;

    enum class Platform
    {
        kOffscreen,   // a cairo image surface (tests, screenshots)
        kX11Window,   // a top-level X11 window of its own
        kX11Embedded, // a child of the X11 window whose id the host gives
    };

    explicit QorVSTGUIEditorWrapperV1(const EditorFactory& makeEditor);
    ~QorVSTGUIEditorWrapperV1() override;

    // Creates the frame on the platform and builds the product editor's controls. False (and
    // nothing open) when the window cannot be made, with the reason in error.
    bool open(Platform platform, unsigned long parentWindow = 0, std::string* error = nullptr);
    void close();
    bool isOpen() const { return frame_ != nullptr; }

    QorFrame* getFrame() const { return frame_.get(); }
    qortk::FramePlatform* getPlatform() const;
    QorBaseEditor* getEditor() const { return editor_.get(); }
    qortk::ViewContainer* getProductArea() const { return productArea_.get(); }
    // The size the host shows: the product area and the strip above it, in points at zoom 1.
    QorRect getEditorRect() const { return {0, 0, width_, height_ + stripHeight()}; }
    static uint32_t knobMode();

    void setBackground(QorBitmap* bitmap) override;
    void setBackgroundById(int32_t resourceId) override;
    void addContainer(QorViewContainer* container) override;
    void removeContainer(QorViewContainer* container) override;
    QorViewContainer* createViewContainer(const QorRect& rect) override;
    bool isContainerAttached(QorViewContainer* container) override;
    void getScaledSize(QorPoint& size) override;
    void getButtonState(uint32_t& flags) override;
    void setKnobMode(uint32_t mode) override;
    void sendParameter(int32_t, double) override {}
    void resize(int32_t width, int32_t height) override;
    void setResizeBatch(bool open) override;
    void invalidateAll() override;
    int32_t parameterMouseDown(int32_t, uint32_t) override { return 0; }
    void idle() override {}
    void forwardParameter(int32_t index, double value) override;
    double getZoomFactor() override { return 1.0; }
    const QorPluginFormat& pluginFormat() const override { return *format_; }
    // Set by the host glue before the editor opens; f must outlive the engine.
    void setPluginFormat(const QorPluginFormat& f) { format_ = &f; }

    void valueChanged(qortk::Control* control) override;
    // A control's press opens its parameter's gesture and its release closes it; a second
    // press before the release opens nothing more.
    void controlBeginEdit(qortk::Control* control) override;
    void controlEndEdit(qortk::Control* control) override;
    bool isGestureOpen(int32_t index) const;

protected:
    // Height of the strip above the product area (the preset bar's), points.
    virtual double stripHeight() const { return 0.0; }
    virtual void frameOpened() {}
    virtual void frameClosing() {}
    // The editor's size changed (points at zoom 1, the product area's height).
    virtual void editorResized(double, double) {}
    bool resizeBatchOpen() const { return batchOpen_; }
    // Closes every open gesture (the editor goes, or its host link changes).
    void endAllGestures();

private:
    void applySize(int32_t width, int32_t height);
    int32_t gestureParameter(qortk::Control* control) const;
    CQorViewContainerWrapper* find(QorViewContainer* container) const;

    std::unique_ptr<QorBaseEditor> editor_;
    std::unique_ptr<QorFrame> frame_;
    std::shared_ptr<qortk::ViewContainer> productArea_;
    std::vector<std::unique_ptr<CQorViewContainerWrapper>> containers_;
    std::unique_ptr<CQorBitmapWrapper> ownBackground_;
    QorBitmap* background_ = nullptr;
    double width_;
    double height_;
    int32_t pendingWidth_ = 0;
    int32_t pendingHeight_ = 0;
    bool batchOpen_ = false;
    uint32_t openGestures_ = 0; // one bit per parameter index
    const QorPluginFormat* format_ = &QorPluginFormats::kUnnamed;
};

} // namespace Qorwerk
