#pragma once

#include "QORLIB/presets/QorPresetProduct.h"
#include "QORLIB/presets/QorPresetRecord.h"

#include <cstdint>
#include <string>

// The per-user preset folder ($HOME/Documents/<maker>/User Presets/<product>) and the .qor files
// in it. Main thread only.
class QorUserPresetFolder
{
public:
    static constexpr const char* kExtension = ".qor";
    // Far larger than any preset file; a larger file is refused unread.
    static constexpr std::size_t kMaxFileSize = 1 << 16;

    // The folder path from $HOME; empty when HOME is not set.
    static std::string defaultPath();
    // Creates the folder and its two parents when missing, never the folder above those
    // ("Documents"); false when the folder does not exist afterwards.
    static bool create(const std::string& path);

    // Fills record from <folder>/[<subFolder>/]<fileName>.qor; false, record untouched, when the
    // file cannot be read, is too large or is no one-program preset; then why (when given) says
    // which, in words for the user.
    static bool readPresetFile(const std::string& folder, const std::string& subFolder,
                               const std::string& fileName, QorPresetRecord& record,
                               const QorPresetProduct& product, std::string* why = nullptr);

    // Strips every trailing ".qor" (case-sensitive) and appends one.
    static std::string withSingleExtension(std::string name);
};
