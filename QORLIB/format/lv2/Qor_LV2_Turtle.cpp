#include "QORLIB/format/lv2/Qor_LV2_Turtle.h"

#include "QORLIB/format/lv2/Qor_LV2_Ports.h"
#include "vellaCor/vellaCorFactoryPresets.h"
#include "vellaCor/vellaCorIdentity.h"
#include "vellaCor/vellaCorParameters.h"

#include <cctype>
#include <cstdio>
#include <sstream>
#include <vector>

namespace Qor_LV2
{
namespace
{
constexpr const char* kPrefixes = "@prefix doap:  <http://usefulinc.com/ns/doap#> .\n"
                                  "@prefix foaf:  <http://xmlns.com/foaf/0.1/> .\n"
                                  "@prefix lv2:   <http://lv2plug.in/ns/lv2core#> .\n"
                                  "@prefix pset:  <http://lv2plug.in/ns/ext/presets#> .\n"
                                  "@prefix rdf:   <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
                                  "@prefix rdfs:  <http://www.w3.org/2000/01/rdf-schema#> .\n"
                                  "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
                                  "@prefix ui:    <http://lv2plug.in/ns/extensions/ui#> .\n"
                                  "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
                                  "@prefix urid:  <http://lv2plug.in/ns/ext/urid#> .\n\n";

// The factory presets offered to hosts: "Default" and the named ones (the second "Default" and
// the "Init" slots would only repeat it).
std::vector<int> offeredPresets()
{
    std::vector<int> numbers;
    for (int n = 0; n < 32; ++n)
        numbers.push_back(n);
    return numbers;
}

std::string number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", v);
    std::string s = text;
    if (s.find_first_of(".e") == std::string::npos)
        s += ".0";
    return s;
}

std::string quoted(const std::string& s)
{
    std::string out = "\"";
    for (char c : s)
    {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

// A step's scale-point label: the editor's text, except that a whole number which another step's
// text continues with decimals ("x1" beside "x1.6") is written with ".0". Ardour keys scale points
// by a number-aware comparison that stops at the end of the shorter label, so "x1" and "x1.6" were
// one entry there and one of the two steps could not be chosen.
std::string scalePointLabel(uint32_t parameter, int32_t step)
{
    const std::string text = vellaCorParameters::getParameterStepText(parameter, step);
    if (text.empty() || std::isdigit(static_cast<unsigned char>(text.back())) == 0)
        return text;
    for (int32_t s = 0; s <= vellaCorParameters::getParameterStepMax(parameter); ++s)
        if (s != step && std::string(vellaCorParameters::getParameterStepText(parameter, s)).rfind(text + ".", 0) == 0)
            return text + ".0";
    return text;
}

void writeControlPort(std::ostringstream& t, uint32_t index)
{
    const ControlPort& p = controlPort(index);
    t << "    [\n        a lv2:InputPort , lv2:ControlPort ;\n        lv2:index " << index << " ;\n"
      << "        lv2:symbol \"" << p.symbol << "\" ;\n        lv2:name "
      << quoted(vellaCorParameters::getParameterName(uint32_t(p.parameter))) << " ;\n";
    if (p.integer)
    {
        t << "        lv2:default " << int(p.defaultValue) << " ;\n        lv2:minimum 0 ;\n        lv2:maximum "
          << int(p.maximum) << " ;\n        lv2:portProperty lv2:integer , lv2:enumeration ;\n";
        for (int s = 0; s <= int(p.maximum); ++s)
            t << "        lv2:scalePoint [ rdfs:label "
              << quoted(scalePointLabel(uint32_t(p.parameter), s)) << " ; rdf:value " << s
              << " ] ;\n";
    }
    else
    {
        t << "        lv2:default " << number(p.defaultValue) << " ;\n        lv2:minimum 0.0 ;\n        lv2:maximum "
          << number(p.maximum) << " ;\n";
        if (p.parameter == vellaCorParameters::kOutput)
            t << "        units:unit units:db ;\n";
    }
    t << "    ] ,\n";
}

void writePlugin(std::ostringstream& t, bool stereo)
{
    t << "<" << (stereo ? vellaCorIdentity::kLv2UriStereo : vellaCorIdentity::kLv2UriMono) << ">\n"
      << "    a lv2:Plugin , lv2:CompressorPlugin , doap:Project ;\n"
      << "    doap:name \"" << vellaCorIdentity::kProductName << (stereo ? " Stereo" : " Mono") << "\" ;\n"
      << "    rdfs:comment \"" << vellaCorIdentity::kProductDescription << "\" ;\n"
      << "    doap:maintainer [ foaf:name \"" << vellaCorIdentity::kMakerName << "\" ; foaf:homepage <"
      << vellaCorIdentity::kMakerWebAddress << "> ] ;\n"
      << "    lv2:minorVersion 2 ;\n    lv2:microVersion 2 ;\n"
      << "    lv2:optionalFeature lv2:hardRTCapable , urid:map ;\n"
      << "    lv2:extensionData state:interface ;\n"
      << "    ui:ui <" << uiUri() << "> ;\n"
      << "    lv2:port\n";
    for (uint32_t i = 0; i < kNumControls; ++i)
        writeControlPort(t, i);
    t << "    [\n        a lv2:InputPort , lv2:ControlPort ;\n        lv2:index " << kEnabledPort << " ;\n"
      << "        lv2:symbol \"enabled\" ;\n        lv2:name \"Enabled\" ;\n        lv2:default 1 ;\n"
      << "        lv2:minimum 0 ;\n        lv2:maximum 1 ;\n        lv2:portProperty lv2:toggled , lv2:integer ;\n"
      << "        lv2:designation lv2:enabled ;\n    ] ,\n";
    t << "    [\n        a lv2:OutputPort , lv2:ControlPort ;\n        lv2:index " << kGainReductionPort << " ;\n"
      << "        lv2:symbol \"gain_reduction\" ;\n        lv2:name \"Gain Reduction\" ;\n"
      << "        lv2:minimum 0.0 ;\n        lv2:maximum 1.0 ;\n    ]";
    uint32_t index = kFirstAudioPort;
    for (const AudioPort& a : audioPorts(stereo))
    {
        t << " ,\n    [\n        a lv2:" << (a.kind == PortKind::AudioIn ? "InputPort" : "OutputPort")
          << " , lv2:AudioPort ;\n        lv2:index " << index++ << " ;\n        lv2:symbol \"" << a.symbol
          << "\" ;\n        lv2:name \"" << a.name << "\" ;\n    ]";
    }
    t << " ,\n    [\n        a lv2:OutputPort , lv2:ControlPort ;\n        lv2:index " << gainReductionDbPort(stereo)
      << " ;\n        lv2:symbol \"gain_reduction_db\" ;\n        lv2:name \"Gain Reduction dB\" ;\n"
      << "        lv2:minimum " << number(kGainReductionDbFloor)
      << " ;\n        lv2:maximum 0.0 ;\n        units:unit units:db ;\n    ]";
    t << " .\n\n";
}
} // namespace

std::string uiUri() { return std::string(vellaCorIdentity::kLv2UriBase) + "#ui"; }

std::string presetUri(int number) { return std::string(vellaCorIdentity::kLv2UriBase) + "/presets#" + std::to_string(number); }

std::string manifestTurtle(const std::string& binaryName)
{
    std::ostringstream t;
    t << kPrefixes;
    for (const char* uri : {vellaCorIdentity::kLv2UriMono, vellaCorIdentity::kLv2UriStereo})
        t << "<" << uri << ">\n    a lv2:Plugin ;\n    lv2:binary <" << binaryName
          << "> ;\n    rdfs:seeAlso <qor-vellacor.ttl> .\n\n";
    // The editor: embedded in the host's window (ui:parent), or a window of its own (show interface).
    t << "<" << uiUri() << ">\n    a ui:X11UI ;\n    ui:binary <" << binaryName << "> ;\n"
      << "    lv2:requiredFeature ui:idleInterface ;\n"
      << "    lv2:optionalFeature ui:parent , ui:resize , ui:touch , ui:noUserResize , urid:map ,\n"
      << "        <http://lv2plug.in/ns/ext/instance-access> , <http://lv2plug.in/ns/ext/options#options> ;\n"
      << "    lv2:extensionData ui:idleInterface , ui:showInterface ;\n"
      << "    ui:portNotification\n";
    const char* plugins[] = {vellaCorIdentity::kLv2UriMono, vellaCorIdentity::kLv2UriStereo};
    for (int i = 0; i < 2; ++i)
        t << "        [ ui:plugin <" << plugins[i] << "> ; lv2:symbol \"gain_reduction\" ; ui:protocol ui:floatProtocol ]"
          << (i == 0 ? " ,\n" : " .\n\n");
    for (int n : offeredPresets())
        t << "<" << presetUri(n) << ">\n    a pset:Preset ;\n    lv2:appliesTo <" << vellaCorIdentity::kLv2UriMono
          << "> , <" << vellaCorIdentity::kLv2UriStereo << "> ;\n    rdfs:seeAlso <presets.ttl> .\n\n";
    return t.str();
}

std::string pluginTurtle()
{
    std::ostringstream t;
    t << kPrefixes;
    writePlugin(t, false);
    writePlugin(t, true);
    return t.str();
}

std::string presetsTurtle()
{
    std::ostringstream t;
    t << kPrefixes;
    for (int n : offeredPresets())
    {
        double values[12];
        char name[24] = {};
        for (uint32_t i = 0; i < 12; ++i)
            values[i] = vellaCorParameters::getParameterDefault(i);
        vellaCorFactoryPresets::getFactoryPreset(n, values, name, nullptr);
        t << "<" << presetUri(n) << ">\n    a pset:Preset ;\n    rdfs:label " << quoted(name) << " ;\n    lv2:port";
        for (uint32_t i = 0; i < kNumControls; ++i)
        {
            const ControlPort& p = controlPort(i);
            const double v = values[p.parameter] * p.scale;
            t << (i == 0 ? "\n" : " ,\n") << "        [ lv2:symbol \"" << p.symbol << "\" ; pset:value "
              << (p.integer ? number(vellaCorParameters::getParameterStep(uint32_t(p.parameter), values[p.parameter]))
                            : number(v))
              << " ]";
        }
        t << " .\n\n";
    }
    return t.str();
}

} // namespace Qor_LV2
