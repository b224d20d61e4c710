#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

class AAX_ICollection;
class AAX_IEffectDescriptor;

// The description the host asks for once at registration: one effect with a mono and a stereo
// component, their context fields, the meters and the three creation procedures. A failing
// step is reported through the host's assertion handler and describing goes on. Main thread.
namespace Qor_AAX_Describe
{
inline constexpr AAX_CTypeID kManufacturerID = AAX_FourCC("Qora");
inline constexpr AAX_CTypeID kProductID = AAX_FourCC("KXRB");
inline constexpr AAX_CTypeID kNativeMonoID = AAX_FourCC("XRBm");
inline constexpr AAX_CTypeID kNativeStereoID = AAX_FourCC("XRBs");
inline constexpr AAX_CTypeID kAudioSuiteID = AAX_FourCC("XRBa");
inline constexpr const char* kPageTableFile = "QorvellaCorPageTables.xml";
inline constexpr const char* kSourceName = "Qor_AAX_Describe"; // the file named in failure reports

// Describes the effect into the collection and names the package; the result of describing
// and adding the effect.
AAX_Result GetEffectDescriptions(AAX_ICollection* collection);
AAX_Result DescribeEffect(AAX_IEffectDescriptor& descriptor);
} // namespace Qor_AAX_Describe
