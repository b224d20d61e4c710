#pragma once

#include "QORLIB/gui/QorCustomControl.h"

#include <string>

// The empty lower part of the configuration page: a press there closes the menu. It also carries
// the page's note, such as why the manual could not be opened.
class QorConfigMenuExitButton : public QorCustomControl
{
public:
    static constexpr int32_t kTag = 63;

    explicit QorConfigMenuExitButton(const QorRect& rect) : QorCustomControl(rect, kTag) { value_ = 0.0; }

    // Empty: no note.
    void setNote(const std::string& note);
    const std::string& note() const { return note_; }

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint&, uint32_t flags) override;

private:
    std::string note_;
};
