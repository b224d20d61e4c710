#pragma once

#include <cstdint>

// Property keys of component and effect property maps.
enum AAX_EProperty : int32_t
{
    AAX_eProperty_ManufacturerID = 11,
    AAX_eProperty_ProductID = 12,
    AAX_eProperty_PlugInID_Native = 13,
    AAX_eProperty_PlugInID_AudioSuite = 14,
    AAX_eProperty_InputStemFormat = 51,
    AAX_eProperty_OutputStemFormat = 52,
    AAX_eProperty_CanBypass = 60,
    AAX_eProperty_Meter_Type = 200,
    AAX_eProperty_Meter_Orientation = 201,
    AAX_eProperty_Meter_Ballistics = 202,
};

enum AAX_EMeterType : int32_t
{
    AAX_eMeterType_Input = 0,
    AAX_eMeterType_Output = 1,
    AAX_eMeterType_CLGain = 2, // compressor / limiter gain
    AAX_eMeterType_Other = 5,
};

enum AAX_EMeterOrientation : int32_t
{
    AAX_eMeterOrientation_Default = 0,
};

enum AAX_EMeterBallisticType : int32_t
{
    AAX_eMeterBallisticType_Host = 0,
    AAX_eMeterBallisticType_NoDecay = 1,
};

enum AAX_EStemFormat : uint32_t
{
    AAX_eStemFormat_Mono = 0x00000001,
    AAX_eStemFormat_Stereo = 0x00010002,
};

// Number of channels of a stem format: its low 16 bits.
constexpr int32_t AAX_StemFormatChannels(uint32_t format) { return int32_t(format & 0xFFFF); }

enum AAX_EPlugInCategory : uint32_t
{
    AAX_ePlugInCategory_Dynamics = 2,
};

enum AAX_EDataInPortType : int32_t
{
    AAX_eDataInPortType_Unbuffered = 1, // the port holds only the latest packet
};

enum AAX_EMIDINodeType : int32_t
{
    AAX_eMIDINodeType_LocalInput = 0,
    AAX_eMIDINodeType_Transport = 3,
};

enum AAX_EResourceType : int32_t
{
    AAX_eResourceType_PageTable = 1,
};

enum AAX_EProcPtrID : int32_t
{
    kAAX_ProcPtrID_Create_EffectParameters = 0,
    kAAX_ProcPtrID_Create_EffectGUI = 1,
    kAAX_ProcPtrID_Create_EffectDirectData = 5,
};

enum AAX_EPrivateDataOptions : uint32_t
{
    AAX_ePrivateDataOptions_DefaultOptions = 0,
};

// Who caused a parameter update the host reports.
enum AAX_EUpdateSource : int32_t
{
    AAX_eUpdateSource_Unspecified = 0,
    AAX_eUpdateSource_Parameter = 1,
    AAX_eUpdateSource_Chunk = 2,
    AAX_eUpdateSource_Delay = 3,
};

enum AAX_EParameterType : int32_t
{
    AAX_eParameterType_Discrete = 0,
    AAX_eParameterType_Continuous = 1,
};

enum AAX_EAssertFlags : int32_t
{
    AAX_eAssertFlags_Log = 1, // log only, never stop the host
};

enum AAX_ETracePriorityHost : int32_t
{
    AAX_eTracePriorityHost_Normal = 0x04000000,
    AAX_eTracePriorityHost_High = 0x08000000,
};

enum AAX_EViewContainer_Type : int32_t
{
    AAX_eViewContainer_Type_NULL = 0,
    AAX_eViewContainer_Type_NSView = 1,
    AAX_eViewContainer_Type_UIView = 2,
    AAX_eViewContainer_Type_HWND = 3,
};
