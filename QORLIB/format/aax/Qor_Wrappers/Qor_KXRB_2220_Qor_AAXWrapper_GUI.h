#pragma once

#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_LiveObject.h"
#include "QORLIB/format/aax/sdk/AAX_CEffectGUI.h"

// The GUI object of one open editor. For now it only exists and is counted; the editor it
// will own comes with the editor glue.
class Qor_KXRB_2220_Qor_AAXWrapper_GUI : public AAX_CEffectGUI
{
public:
    // Creation procedure 1; null when the object cannot be built.
    static AAX_IEffectGUI* Create();

private:
    Qor_AAX_LiveObject live_;
};
