#pragma once

#include "QORLIB/gui/QorBaseEditor.h"
#include "vellaCor/editor/vellaCorNeedleGlide.h"

class CInfo;
class CVelVuMeter2;
class QorAnimKnob;
class QorBaseControl;
class QorHorizontalSwitch;
class QorKickButton;
class QorViewContainer;

// The compressor's panel: mode switch, the Time, Compression and Output knobs, the Ratio knob,
// the attack-ratio and valve-level trims, the gain-reduction needle, and the about box behind
// the painted product name. Translates between control values and parameter values.
class vellaCorEditor : public QorBaseEditor
{
public:
    // Resets the needle; the other private messages it answers are the editor's announcements
    // (QorPresetNotifications.h).
    static constexpr int32_t kMeterReset = 72;
    static constexpr int32_t kNameButtonTag = 14;
    static constexpr int32_t kMeterTag = 15;

    explicit vellaCorEditor(QorMasterGraphicalEngine* engine);

    void open() override;
    void close() override;
    void setParameter(int32_t index, double value) override;
    double valueChanged(uint32_t tag, double value) override;
    int32_t parameterOfTag(uint32_t tag) const override;
    void idle() override;
    std::string readoutText(uint32_t tag) const override;

    // The controls while open (nullptr otherwise), for the host glue and tests.
    QorBaseControl* getControl(int32_t tag) const;
    QorHorizontalSwitch* getModeSwitch() const { return mode_; }
    QorAnimKnob* getKnob(int32_t tag) const;
    CVelVuMeter2* getMeter() const { return meter_; }
    QorKickButton* getNameButton() const { return nameButton_; }
    CInfo* getAbout() const { return about_; }
    QorViewContainer* getProductContainer() const { return product_; }
    QorViewContainer* getAboutContainer() const { return aboutContainer_; }
    const vellaCorNeedleGlide& getNeedleGlide() const { return glide_; }

private:
    void createKnobs();
    void setControl(QorBaseControl* control, double value);

    QorViewContainer* product_ = nullptr;
    QorViewContainer* aboutContainer_ = nullptr;
    QorHorizontalSwitch* mode_ = nullptr;
    QorAnimKnob* knobs_[8] = {}; // by parameter index 2..7
    CVelVuMeter2* meter_ = nullptr;
    QorKickButton* nameButton_ = nullptr;
    CInfo* about_ = nullptr;
    vellaCorNeedleGlide glide_;
};
