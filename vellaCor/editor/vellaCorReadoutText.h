#pragma once

#include <cstdint>
#include <string>

// The readout's text for a control of the panel: the parameter's display text (the one the
// hosts show), with the unit where the number alone would not say it. Empty for tags that
// stand for no parameter (meter, name button, about box).
std::string vellaCorReadoutText(uint32_t tag, double controlValue);
