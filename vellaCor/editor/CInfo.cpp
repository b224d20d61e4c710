#include "vellaCor/editor/CInfo.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/QorSharedFonts.h"
#include "QORLIB/platform/QorProcessRunner.h"
#include "QORLIB/platform/QorShell.h"
#include "vellaCor/vellaCorParameters.h"

#include <cstdio>

namespace
{
constexpr double kLinkInsetX = 110.0;
constexpr double kLinkTop = 130.0;
constexpr double kLinkHeight = 24.0;
constexpr double kUnderlineRise = 4.0;
// The plate paints the address without its scheme, in 11-point type spaced by 0.3 points.
constexpr double kAddressSize = 11.0;
constexpr double kAddressTracking = 0.3;
constexpr double kLinkMargin = 2.0;

std::string shownAddress(const std::string& address)
{
    for (const char* scheme : {"https://", "http://"})
        if (address.rfind(scheme, 0) == 0)
            return address.substr(std::string(scheme).size());
    return address;
}
constexpr size_t kVersionLabelLength = 7; // "v.2.2.2": the build number stays off the plate
} // namespace

CInfo::CInfo(const QorRect& rect, QorBitmap* plate, const char* version, const std::string& webAddress)
    : QorCustomControl(rect, kTag, plate), webAddress_(webAddress)
{
    std::snprintf(versionLabel_, kVersionLabelLength + 1, "v.%s", version ? version : "");
    link_ = {origin_.x + kLinkInsetX, origin_.y + kLinkTop, plateSize_.x - kLinkInsetX,
             origin_.y + kLinkTop + kLinkHeight};
    value_ = 0.0;
}

CInfo::~CInfo() { QorProcessRunner::abandon(this); }

void CInfo::draw(QorDrawContext& context)
{
    if (!linkMeasured_)
    {
        // The link is as wide as the painted address, so the pointer beside it is no link.
        const std::string shown = shownAddress(webAddress_);
        context.setFont(QorSharedFonts::arial(static_cast<int>(kAddressSize)));
        const double width = context.getStringWidth(shown.c_str()) +
                             kAddressTracking * static_cast<double>(shown.empty() ? 0 : shown.size() - 1);
        if (width > 0.0 && width < plateSize_.x - 2 * kLinkInsetX)
        {
            const double centre = (link_.left + link_.right) / 2;
            link_.left = centre - width / 2 - kLinkMargin;
            link_.right = centre + width / 2 + kLinkMargin;
        }
        linkMeasured_ = true;
    }
    context.drawBitmap(bitmap_, rect_, {0.0, 0.0}, 1.0f);
    context.setFontColor(kTextColour);
    context.setFont(QorSharedFonts::arial(12));
    context.drawString(versionLabel_, {296, 69, 396, 79}, QorDrawContext::kAlignLeft, true);
    context.setFont(QorSharedFonts::arial(10));
    if (!note_.empty())
        context.setFontColor(kNoteColour);
    const std::string& line = note_.empty() ? credit_ : note_;
    context.drawString(line.c_str(), {0, 208, rect_.width(), 218}, QorDrawContext::kAlignCentre, true);
    if (linkHover_)
    {
        context.setFrameColor(kLinkColour);
        const double y = link_.bottom - kUnderlineRise;
        context.drawLine({link_.left, y}, {link_.right, y});
    }
}

int32_t CInfo::onMouseDown(const QorPoint& where, uint32_t flags)
{
    if (!(flags & kQorLButton))
        return kQorMouseNotHandled;
    if (link_.contains(where))
    {
        note_.clear();
        QorShell::open(webAddress_, this, [this](bool opened) {
            if (opened)
                return;
            note_ = kOpenFailed + webAddress_;
            invalid();
        });
        return kQorMouseHandledFinal;
    }
    value_ = vellaCorParameters::truncToInt(value_ + 0.5) != 0 ? 0.0 : 1.0;
    valueChanged();
    invalid();
    return kQorMouseHandledFinal;
}

int32_t CInfo::onMouseMoved(const QorPoint& where, uint32_t)
{
    if (link_.contains(where))
    {
        linkHover_ = 1;
        invalid();
    }
    else if (linkHover_)
    {
        linkHover_ = 0;
        invalid();
    }
    return kQorMouseHandled;
}
