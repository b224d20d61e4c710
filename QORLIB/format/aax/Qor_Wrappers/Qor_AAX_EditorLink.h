#pragma once

#include <cstdint>

// What the controller-side bridge needs of an open editor: host-side changes passed on to it,
// and its toolkit frame. The editor wrapper implements it. Main thread.
class Qor_AAX_EditorLink
{
public:
    virtual ~Qor_AAX_EditorLink() = default;
    virtual void forwardParameter(int32_t index, double value) = 0;
    virtual void* getFrame() = 0;
};
