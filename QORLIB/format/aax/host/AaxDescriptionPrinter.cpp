#include "QORLIB/format/aax/host/AaxDescriptionPrinter.h"

#include "QORLIB/format/aax/host/AaxCollection.h"

#include <cstdio>
#include <string>

namespace
{
const char* kindName(AaxFieldCall::Kind kind)
{
    switch (kind)
    {
    case AaxFieldCall::kAudioIn: return "AddAudioIn";
    case AaxFieldCall::kAudioOut: return "AddAudioOut";
    case AaxFieldCall::kBufferLength: return "AddAudioBufferLength";
    case AaxFieldCall::kSampleRate: return "AddSampleRate";
    case AaxFieldCall::kDataInPort: return "AddDataInPort";
    case AaxFieldCall::kPrivateData: return "AddPrivateData";
    case AaxFieldCall::kMeters: return "AddMeters";
    case AaxFieldCall::kMidiNode: return "AddMIDINode";
    }
    return "?";
}

std::string propertyText(const AaxProperties& properties)
{
    std::string text;
    for (const auto& [key, value] : properties)
    {
        char item[64];
        const bool code = key == 11 || key == 12 || key == 13 || key == 14;
        if (code)
            std::snprintf(item, sizeof item, "%d='%s'", int(key), aaxCodeText(uint32_t(value)).c_str());
        else
            std::snprintf(item, sizeof item, "%d=0x%08x", int(key), unsigned(value));
        if (!text.empty())
            text += ' ';
        text += item;
    }
    return text;
}

void printComponent(const AaxComponentSnapshot& c, std::size_t number, std::ostream& out)
{
    out << "  component " << number << ": " << c.calls.size() << " field calls, " << c.procedures.size()
        << " process procedure(s)\n";
    for (const auto& [field, call] : c.fields())
    {
        out << "    field " << field << ": " << kindName(call.kind);
        if (call.kind == AaxFieldCall::kDataInPort || call.kind == AaxFieldCall::kPrivateData)
            out << " " << call.size << " bytes";
        if (call.kind == AaxFieldCall::kMeters)
            out << " " << call.size << " meters";
        if (call.kind == AaxFieldCall::kMidiNode)
            out << " type " << call.type << " \"" << call.name << "\"";
        out << "\n";
    }
    for (const auto& p : c.procedures)
        out << "    process procedure: " << propertyText(p.properties) << "\n";
}
} // namespace

std::string aaxCodeText(uint32_t code)
{
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i)
    {
        const char ch = char((code >> (24 - 8 * i)) & 0xFF);
        if (ch < 32 || ch > 126)
        {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08x", unsigned(code));
            return hex;
        }
        text[std::size_t(i)] = ch;
    }
    return text;
}

void printAaxDescription(const AaxCollection& collection, std::ostream& out)
{
    out << "manufacturer: " << collection.manufacturer << "\n";
    for (const auto& name : collection.packageNames)
        out << "package name: " << name << "\n";
    out << "package version: " << collection.packageVersion << "\n";
    for (const auto& effect : collection.effects)
    {
        const AaxEffectRecord& e = *effect.record;
        out << "effect " << effect.id << "\n";
        for (const auto& name : e.names)
            out << "  name: " << name << "\n";
        for (uint32_t category : e.categories)
            out << "  category: " << category << "\n";
        for (std::size_t i = 0; i < e.components.size(); ++i)
            printComponent(e.components[i], i, out);
        for (const auto& [id, proc] : e.procedures)
            out << "  creation procedure " << int(id) << "\n";
        for (const auto& [type, text] : e.resources)
            out << "  resource " << int(type) << ": " << text << "\n";
        out << "  meters: " << e.meters.size() << "\n";
        for (const auto& m : e.meters)
            out << "    '" << aaxCodeText(m.id) << "' " << m.name << " " << propertyText(m.properties) << "\n";
    }
}
