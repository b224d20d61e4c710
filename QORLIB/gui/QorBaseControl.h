#pragma once

#include "QORLIB/gui/QorGuiTypes.h"

#include <cstdint>
#include <memory>

class QorBitmap;
class QorDrawContext;
class QorEngineView;

// A self-drawn control that knows nothing of the toolkit: a value in [0, 1], a tag, an
// optional bitmap and a rectangle (product coordinates). The container it is added to gives it
// a toolkit view, through which it redraws and reports edits.
class QorBaseControl
{
public:
    // Which toolkit view a container builds for a control.
    enum ViewKind : int32_t
    {
        kSwitchView = 4,
        kKnobView = 5,
        kButtonView = 8,
        kCustomView = 13,
    };
    static constexpr size_t kHintSize = 512;

    QorBaseControl(const QorRect& rect, int32_t tag, QorBitmap* bitmap, int32_t viewKind);
    virtual ~QorBaseControl();
    QorBaseControl(const QorBaseControl&) = delete;
    QorBaseControl& operator=(const QorBaseControl&) = delete;

    virtual void setValue(double value);
    virtual void setTag(int32_t tag);
    virtual void beginEdit();
    virtual void valueChanged();
    virtual void endEdit();
    virtual bool isEditing() const { return editing_; }
    virtual void setDefaultValue(double value) { defaultValue_ = value; }
    virtual double getDefaultValue() const { return defaultValue_; }
    virtual void setViewSize(const QorRect& rect);
    virtual void scaleSize(double factor);
    virtual void draw(QorDrawContext&) {}
    virtual void setBitmap(QorBitmap* bitmap);
    virtual int32_t onMouseDown(const QorPoint&, uint32_t) { return kQorMouseHandled; }
    virtual int32_t onMouseMoved(const QorPoint&, uint32_t) { return kQorMouseHandled; }
    virtual int32_t onMouseUp(const QorPoint&, uint32_t) { return kQorMouseHandled; }
    virtual void onMouseEntered();
    virtual void onMouseExited();
    virtual bool onWheel(const QorPoint&, float, uint32_t) { return true; }
    virtual void setMouseableArea(const QorRect& rect);
    virtual QorRect getMouseableArea() const { return mouseable_; }
    virtual void setValueAndNotify(double value);

    double getValue() const { return value_; }
    int32_t getTag() const { return tag_; }
    int32_t getViewKind() const { return viewKind_; }
    const QorRect& getRect() const { return rect_; }
    QorBitmap* getBitmap() const { return bitmap_; }
    bool isHovered() const { return hover_; }
    bool wantsHostClick() const { return hostClick_; }
    void setHostClick(bool on) { hostClick_ = on; }
    bool entryRequested() const { return entryRequest_; }
    void setEntryOnDoubleClick(bool on) { entryOnDoubleClick_ = on; }
    // A highlight drawn over the control (knobs): its frame at the overlay alpha, then a
    // rectangle in the overlay colour inset by the overlay inset.
    void setOverlay(bool on, const QorColour& colour, int32_t inset, float alpha);
    // A control that follows this one's value (none in the product).
    void setLinkedControl(QorBaseControl* linked) { linked_ = linked; }

    // The tooltip text; longer texts are cut to fit the 512-byte buffer.
    void setHint(const char* text);
    const char* getHint() const;

    // Set by the container that owns the control.
    void setEngineView(QorEngineView* view) { view_ = view; }
    QorEngineView* getEngineView() const { return view_; }
    void invalid();

protected:
    int32_t state_ = -1;
    QorBitmap* bitmap_;
    QorRect rect_;
    QorRect mouseable_;
    double value_ = 0.0;
    int32_t tag_;
    int32_t viewKind_;
    bool overlay_ = false;
    QorColour overlayColour_{255, 255, 255, 255};
    int32_t overlayInset_ = 0;
    float overlayAlpha_ = 1.0f;
    bool hover_ = false;
    double defaultValue_ = 0.0;
    double alpha_ = 1.0;
    bool editing_ = false;
    bool hostClick_ = true;
    bool entryOnDoubleClick_ = false;
    bool entryRequest_ = false;
    QorEngineView* view_ = nullptr;
    std::unique_ptr<char[]> hint_;
    QorRect constructionRect_;
    QorBaseControl* linked_ = nullptr;
};
