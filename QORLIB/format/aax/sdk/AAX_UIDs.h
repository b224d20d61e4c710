#pragma once

#include "QORLIB/format/aax/sdk/ACFBase.h"

// Interface identifiers asked for through IACFUnknown::QueryInterface.
inline constexpr acfIID IID_IACFUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr acfIID IID_IACFPluginDefinition = {0x51A0B1E0, 0x7A11, 0x4C6E, {0x9D, 0x11, 0, 0, 0, 0, 0, 1}};
inline constexpr acfIID IID_IAAXCollectionV1 = {0x51A0B1E0, 0x7A11, 0x4C6E, {0x9D, 0x11, 0, 0, 0, 0, 0, 2}};
inline constexpr acfIID IID_IAAXHostServicesV1 = {0x51A0B1E0, 0x7A11, 0x4C6E, {0x9D, 0x11, 0, 0, 0, 0, 0, 3}};
inline constexpr acfIID IID_IAAXControllerV1 = {0x51A0B1E0, 0x7A11, 0x4C6E, {0x9D, 0x11, 0, 0, 0, 0, 0, 4}};
inline constexpr acfIID IID_IAAXAutomationDelegateV1 = {0x51A0B1E0, 0x7A11, 0x4C6E, {0x9D, 0x11, 0, 0, 0, 0, 0, 5}};
inline constexpr acfIID IID_IAAXEffectParametersV1 = {0x51A0B1E0, 0x7A11, 0x4C6E, {0x9D, 0x11, 0, 0, 0, 0, 0, 6}};
