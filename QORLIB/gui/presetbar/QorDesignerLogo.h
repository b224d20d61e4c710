#pragma once

#include "QORLIB/gui/QorCustomControl.h"

#include <string>

// The photo of the selected designer below the column list: a press on the photo opens the
// designer's page, a press beside it reports (and so closes the menu).
class QorDesignerLogo : public QorCustomControl
{
public:
    static constexpr int32_t kTag = 88;
    static constexpr double kPhotoSize = 120.0;
    static constexpr double kBottomMargin = 10.0;
    static constexpr const char* kHint = "Click on the photo to get more info about preset's designer";

    explicit QorDesignerLogo(const QorRect& rect);

    // A null photo shows nothing; an empty address opens the maker's site.
    void setDesigner(QorBitmap* photo, const std::string& webAddress);
    const std::string& webAddress() const { return address_; }
    // 120 × 120, centred, its bottom 10 above the area's bottom.
    QorRect photoRect() const;

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;

private:
    std::string address_;
};
