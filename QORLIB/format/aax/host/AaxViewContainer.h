#pragma once

#include "QORLIB/format/aax/sdk/AAX_Enums.h"
#include "QORLIB/format/aax/sdk/AAX_IViewContainer.h"

#include <functional>
#include <string>
#include <vector>

// The host's window as a plug-in editor sees it. Here the native pointer carries an X11 window
// id (the id cast to a pointer); id 0 means no window, and the editor draws offscreen. It keeps
// what the editor asked of it: sizes and parameter clicks. Main thread.
class AaxViewContainer : public AAX_IViewContainer
{
public:
    struct MouseDown
    {
        std::string id;
        uint32_t modifiers;
    };

    explicit AaxViewContainer(unsigned long window = 0, int32_t type = AAX_eViewContainer_Type_HWND)
        : window_(window), type_(type)
    {
    }

    int32_t GetType() override { return type_; }
    void* GetPtr() override;
    AAX_Result SetViewSize(AAX_Point& size) override;
    AAX_Result HandleParameterMouseDown(AAX_CParamID id, uint32_t modifiers) override;

    unsigned long window() const { return window_; }

    std::vector<AAX_Point> sizes;        // every SetViewSize, in order
    std::vector<MouseDown> mouseDowns;   // every HandleParameterMouseDown, in order
    AAX_Result mouseDownResult = 0;      // what HandleParameterMouseDown answers
    std::function<void(int width, int height)> onResize; // the host's window follows
    std::function<void(const MouseDown&)> onMouseDown;

private:
    unsigned long window_;
    int32_t type_;
};
