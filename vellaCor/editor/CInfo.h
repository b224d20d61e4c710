#pragma once

#include "QORLIB/gui/QorCustomControl.h"

#include <string>

// The about box: a plate over the whole product area with the version, a credit line and the
// maker's web address as a link. A click on the link opens the address in the browser; a click
// anywhere else reports a change, which the product editor turns into closing the box. The
// browser is started without waiting; when it cannot be, the box says so.
class CInfo : public QorCustomControl
{
public:
    static constexpr int32_t kTag = 28;
    static constexpr QorColour kTextColour{200, 200, 200, 255};
    static constexpr QorColour kLinkColour{54, 151, 206, 255};
    static constexpr QorColour kNoteColour{235, 130, 100, 255};

    // version: the full version string; the label shows "v." and its first five characters.
    CInfo(const QorRect& rect, QorBitmap* plate, const char* version, const std::string& webAddress);
    ~CInfo() override;

    // The line under the plate: the format the editor runs in (empty: none shown).
    void setCredit(const std::string& credit) { credit_ = credit; }
    const std::string& getCredit() const { return credit_; }
    // Shown in place of the credit when the browser could not be started.
    const std::string& getNote() const { return note_; }
    static constexpr const char* kOpenFailed = "Could not open ";

    const char* getVersionLabel() const { return versionLabel_; }
    const QorRect& getLinkArea() const { return link_; }
    bool isLinkHovered() const { return linkHover_ != 0; }

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseMoved(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseUp(const QorPoint&, uint32_t) override { return kQorMouseNotHandled; }
    void onMouseEntered() override {}
    void onMouseExited() override {}
    bool onWheel(const QorPoint&, float, uint32_t) override { return true; }

private:
    char versionLabel_[16] = {};
    QorPoint origin_{0.0, 0.0};
    QorPoint plateSize_{400.0, 275.0};
    QorRect link_;
    uint8_t linkHover_ = 0;
    bool linkMeasured_ = false;
    std::string webAddress_;
    std::string credit_;
    std::string note_;
};
