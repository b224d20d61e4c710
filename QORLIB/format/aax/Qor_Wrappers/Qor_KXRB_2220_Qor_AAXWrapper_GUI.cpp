#include "QORLIB/format/aax/Qor_Wrappers/Qor_KXRB_2220_Qor_AAXWrapper_GUI.h"

AAX_IEffectGUI* Qor_KXRB_2220_Qor_AAXWrapper_GUI::Create()
{
    try
    {
        return new Qor_KXRB_2220_Qor_AAXWrapper_GUI();
    }
    catch (...)
    {
        return nullptr;
    }
}
