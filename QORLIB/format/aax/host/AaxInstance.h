#pragma once

#include "QORLIB/format/aax/host/AaxChunk.h"
#include "QORLIB/format/aax/host/AaxContextRecord.h"
#include "QORLIB/format/aax/host/AaxInstanceController.h"
#include "QORLIB/format/aax/host/AaxTransport.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class AAX_IEffectDirectData;
class AAX_IEffectGUI;
class AAX_IEffectParameters;
class AAX_IViewContainer;
class AaxEffectRecord;
struct AaxComponentSnapshot;

// One plug-in instance as the host runs it: the module's parameters, direct-data and (on
// request) GUI objects, initialised with this instance's controller, and the context the
// process procedure runs on. Everything but the process call is main-thread work; the host
// here runs both on one thread, so private-data access never overlaps a block.
class AaxInstance
{
public:
    struct Identity
    {
        AAX_CTypeID manufacturer;
        AAX_CTypeID product;
        AAX_CTypeID plugIn;
    };

    // error tells why when the instance is not usable (ok() false).
    AaxInstance(const AaxEffectRecord& effect, const AaxComponentSnapshot& component, std::size_t procedure,
                bool withGUI);
    ~AaxInstance();
    AaxInstance(const AaxInstance&) = delete;
    AaxInstance& operator=(const AaxInstance&) = delete;

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    int32_t channels() const { return context_.channels(); }
    const Identity& identity() const { return identity_; }

    // One block as a host runs it: posts changed packets, calls the process procedure, then
    // collects and clears the meter taps. inputs and outputs hold channels() pointers.
    void process(float* const* inputs, float* const* outputs, int32_t sampleCount);
    // The two halves of process(), for a host whose audio runs on a thread of its own: the
    // main thread posts the changed packets, the audio thread runs the procedure and collects
    // the meters. The host keeps them from overlapping.
    void postPackets();
    void runBlock(float* const* inputs, float* const* outputs, int32_t sampleCount);
    // Only the process procedure, with nothing done before or after.
    void runProcedure(float* const* inputs, float* const* outputs, int32_t sampleCount);
    void setSampleRate(float rate) { sampleRate_ = rate; }
    // The host's master bypass, as its own button sets it.
    AAX_Result setBypass(bool bypassed);

    // One main-thread tick: answer automation, wake the direct data and the GUI.
    AAX_Result idle();
    // Hands the GUI object a view container (null takes it away); AAX_ERROR_NOT_INITIALIZED
    // without a GUI object.
    AAX_Result setViewContainer(AAX_IViewContainer* container);
    // A change of a host parameter made on the host's side.
    AAX_Result hostEdit(const std::string& id, double value, bool touched,
                        AAX_EUpdateSource source = AAX_eUpdateSource_Unspecified);

    // Every chunk the module offers (size asked first), or the first failing result.
    AAX_Result saveChunks(std::vector<AaxChunk>& chunks);
    AAX_Result saveChunk(AAX_CTypeID id, AaxChunk& chunk);
    AAX_Result restoreChunk(const AaxChunk& chunk);
    AAX_Result compareChunk(const AaxChunk& chunk, bool& equal);

    // The host's view of the results of ResetFieldData per private-data field.
    const std::map<AAX_CFieldIndex, AAX_Result>& resetResults() const { return resetResults_; }
    float meterValue(AAX_CTypeID id) const;
    double parameterValue(const std::string& id) const;

    AAX_IEffectParameters* parameters() { return parameters_; }
    AAX_IEffectDirectData* directData() { return directData_; }
    AAX_IEffectGUI* gui() { return gui_; }
    AaxContextRecord& context() { return context_; }
    AaxInstanceController& controller() { return controller_; }
    AaxTransport& transport() { return transport_; }

private:
    std::string error_;
    Identity identity_{};
    AaxTransport transport_;
    AaxContextRecord context_;
    AaxInstanceController controller_;
    AAX_CProcessProc procedure_ = nullptr;
    AAX_IEffectParameters* parameters_ = nullptr;
    AAX_IEffectDirectData* directData_ = nullptr;
    AAX_IEffectGUI* gui_ = nullptr;
    std::map<AAX_CFieldIndex, AAX_Result> resetResults_;
    float sampleRate_ = 44100.0f;
};
