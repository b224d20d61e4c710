#include "vellaCor/editor/vellaCorEditor.h"

#include "QORLIB/gui/IdleUpdate_Qor_Handler.h"
#include "QORLIB/gui/QorAnimKnob.h"
#include "QORLIB/gui/QorBitmap.h"
#include "QORLIB/gui/QorBitmapGlobals.h"
#include "QORLIB/gui/QorHorizontalSwitch.h"
#include "QORLIB/gui/QorKickButton.h"
#include "QORLIB/gui/QorMasterGraphicalEngine.h"
#include "QORLIB/gui/QorViewContainer.h"
#include "QORLIB/platform/QorTick.h"
#include "QORLIB/presets/QorPresetNotifications.h"
#include "vellaCor/editor/CInfo.h"
#include "vellaCor/editor/CVelVuMeter2.h"
#include "vellaCor/editor/vellaCorReadoutText.h"
#include "vellaCor/vellaCorIdentity.h"
#include "vellaCor/vellaCorParameters.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr QorRect kProductRect{0, 0, 400, 275};

struct KnobLayout
{
    int32_t tag;
    double left;
    double top;
    int32_t bitmap;
    int32_t frames;
    int32_t columns;
    double pixelRange;
    double finePixelRange;
    double wheelStep;
    double wheelFineFactor;
    double resetValue;
    const char* hint;
};

// In the order the knobs are created.
constexpr KnobLayout kKnobs[] = {
    {4, 28, 143, QorBitmapGlobals::kTimeKnob, 21, 5, 300, 1500, 0.1, 0.5, 0.5,
     "Sets up the combined attack and release time"},
    {5, 143, 143, QorBitmapGlobals::kCompressionKnob, 41, 7, 300, 1500, 0.05, 0.2, 0.5,
     "Controls the amount of gain reduction by adjusting the threshold point"},
    // Output resets to 0 dB, not to its default.
    {6, 258, 143, QorBitmapGlobals::kOutputKnob, 61, 8, 300, 1500, 1.0 / 60.0, 0.2, 0.0,
     "Controls the level of the processed signal"},
    {2, 50, 50, QorBitmapGlobals::kRatioKnob, 7, 1, 150, 150, 1.0 / 6.0, 1.0, 0.5,
     "Controls current compression ratio"},
    // The trims have seven positions: a notch of 1/6 is one step (1/7 would fall between steps).
    {3, 31, 123, QorBitmapGlobals::kAttackTrim, 7, 1, 100, 100, 1.0 / 6.0, 1.0, 0.5,
     "Controls the ratio between the attack and release"},
    {7, 267, 92, QorBitmapGlobals::kValveTrim, 7, 1, 100, 100, 1.0 / 6.0, 1.0, 0.5,
     "Sets up a valve processing reference level"},
};

constexpr const char* kModeHint = "Engages compression (Valve / Clear) or disengages (Off) plug-in's processing";
constexpr const char* kNameHint = "Click on the plug-in's name to open the about box";
} // namespace

vellaCorEditor::vellaCorEditor(QorMasterGraphicalEngine* engine) : QorBaseEditor(engine, kProductRect) {}

void vellaCorEditor::open()
{
    QorBitmap* panel = QorBitmapGlobals::get(QorBitmapGlobals::kPanel);
    if (panel)
        engine_->setBackground(panel);
    product_ = engine_->createViewContainer(kProductRect);
    product_->setBackground(panel);
    engine_->addContainer(product_);

    if (QorBitmap* bitmap = QorBitmapGlobals::get(QorBitmapGlobals::kModeSwitch))
    {
        const QorRect r{262, 46, 262 + bitmap->getWidth(), 46 + bitmap->getHeight() / 3.0};
        mode_ = new QorHorizontalSwitch(r, vellaCorParameters::kProcess, bitmap, 3);
        mode_->setHint(kModeHint);
        product_->addControl(mode_);
    }
    createKnobs();

    QorBitmap* lit = QorBitmapGlobals::get(QorBitmapGlobals::kMeterLit);
    QorBitmap* unlit = QorBitmapGlobals::get(QorBitmapGlobals::kMeterUnlit);
    if (lit && unlit)
    {
        const QorRect r{150, 66, 150 + lit->getWidth(), 66 + lit->getHeight()};
        meter_ = new CVelVuMeter2(r, kMeterTag, lit, unlit, {200, 155}, 3.0, 86.0);
        product_->addControl(meter_);
        meter_->setValue(0.0);
    }

    nameButton_ = new QorKickButton({85, 5, 313, 45}, kNameButtonTag);
    nameButton_->setHint(kNameHint);
    product_->addControl(nameButton_);

    aboutContainer_ = engine_->createViewContainer(kProductRect);
    aboutContainer_->setBackgroundColour({0, 0, 0, 0});
    about_ = new CInfo(kProductRect, QorBitmapGlobals::get(QorBitmapGlobals::kAboutPlate), vellaCorIdentity::kVersion,
                       vellaCorIdentity::kMakerWebAddress);
    about_->setCredit(engine_->pluginFormat().credit);
    aboutContainer_->addControl(about_);

    glide_.reset();
}

void vellaCorEditor::createKnobs()
{
    for (const KnobLayout& k : kKnobs)
    {
        QorBitmap* bitmap = QorBitmapGlobals::get(k.bitmap);
        if (!bitmap)
            continue;
        // The frame size follows from the filmstrip grid; the knob is one frame big.
        const int32_t rows = (k.frames + k.columns - 1) / k.columns;
        const double w = vellaCorParameters::truncToInt(bitmap->getWidth() / k.columns + 0.5);
        const double h = vellaCorParameters::truncToInt(bitmap->getHeight() / rows + 0.5);
        auto* knob = new QorAnimKnob({k.left, k.top, k.left + w, k.top + h}, k.tag, bitmap);
        knob->setFrames(k.frames, k.columns);
        knob->setRange(0.0, 1.0);
        knob->setPixelRanges(k.pixelRange, k.finePixelRange);
        knob->setWheelStep(k.wheelStep, k.wheelFineFactor);
        knob->setDefaultValue(k.resetValue);
        knob->setHint(k.hint);
        product_->addControl(knob);
        knobs_[k.tag] = knob;
    }
}

void vellaCorEditor::close()
{
    product_ = aboutContainer_ = nullptr;
    mode_ = nullptr;
    for (auto*& knob : knobs_)
        knob = nullptr;
    meter_ = nullptr;
    nameButton_ = nullptr;
    about_ = nullptr;
    glide_.reset();
}

QorAnimKnob* vellaCorEditor::getKnob(int32_t tag) const { return tag >= 2 && tag <= 7 ? knobs_[tag] : nullptr; }

std::string vellaCorEditor::readoutText(uint32_t tag) const
{
    const QorBaseControl* control = tag <= uint32_t(vellaCorParameters::kValveLevel) ? getControl(int32_t(tag)) : nullptr;
    return control ? vellaCorReadoutText(tag, control->getValue()) : std::string();
}

QorBaseControl* vellaCorEditor::getControl(int32_t tag) const
{
    switch (tag)
    {
    case vellaCorParameters::kProcess:
        return mode_;
    case kNameButtonTag:
        return nameButton_;
    case kMeterTag:
        return meter_;
    case CInfo::kTag:
        return about_;
    default:
        return getKnob(tag);
    }
}

void vellaCorEditor::setControl(QorBaseControl* control, double value)
{
    if (control)
        control->setValue(value); // redraws it
}

void vellaCorEditor::setParameter(int32_t index, double value)
{
    switch (index)
    {
    case vellaCorParameters::kProcess:
        setControl(mode_, 1.0 - value);
        if (meter_)
        {
            // Unlit exactly at the "Off" step.
            meter_->setLit(vellaCorParameters::truncToInt(2.0 * value + 0.5) != 0);
            meter_->invalid();
        }
        break;
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
        setControl(knobs_[index], value);
        break;
    case vellaCorParameters::kGainReduction:
        glide_.reading(value, QorTick::now());
        Qorwerk::IdleUpdate_Qor_Handler::instance().wake();
        break;
    case kMeterReset:
        glide_.reset();
        setControl(meter_, 0.0);
        break;
    case kPresetMenuOpened:
    case kPresetMenuClosed:
        // The preset menu opens inside the panel's own size: a host window that changed size
        // at every opening jumped, an enlarged editor at a large zoom left the screen, and one
        // closed with the menu open came back enlarged.
        break;
    case kShowInfo:
        if (aboutContainer_)
            engine_->addContainer(aboutContainer_);
        break;
    case kHideInfo:
        if (aboutContainer_)
            engine_->removeContainer(aboutContainer_);
        break;
    default:
        break;
    }
}

int32_t vellaCorEditor::parameterOfTag(uint32_t tag) const
{
    using namespace vellaCorParameters;
    return tag == kProcess || (tag >= kRatio && tag <= kValveLevel) ? int32_t(tag) : -1;
}

double vellaCorEditor::valueChanged(uint32_t tag, double value)
{
    using vellaCorParameters::getParameterOnStep;
    switch (tag)
    {
    case vellaCorParameters::kProcess:
        engine_->sendParameter(vellaCorParameters::kProcess, getParameterOnStep(tag, 1.0 - value));
        break;
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
        // A knob between two steps (a drag) still sends the step it shows.
        engine_->sendParameter(int32_t(tag), getParameterOnStep(tag, value));
        break;
    case kNameButtonTag:
        engine_->sendParameter(kShowInfo, 1.0);
        break;
    case CInfo::kTag:
        engine_->sendParameter(kHideInfo, 1.0);
        break;
    default:
        break;
    }
    return value;
}

void vellaCorEditor::idle()
{
    if (!meter_)
        return;
    const double shown = glide_.shown(QorTick::now());
    // An unchanged needle is not redrawn: an open editor on a silent track costs nothing.
    if (std::isnan(shown) || std::clamp(shown, 0.0, 1.0) != meter_->getValue())
        meter_->setValue(shown);
    if (!std::isnan(shown) && shown != glide_.latestReading())
        Qorwerk::IdleUpdate_Qor_Handler::instance().stayAwake(); // still gliding
}
