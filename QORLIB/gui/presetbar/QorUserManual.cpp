#include "QORLIB/gui/presetbar/QorUserManual.h"

#include "QORLIB/platform/QorModuleFolder.h"
#include "QORLIB/presets/QorGlobalSettings.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>

#ifndef QOR_MANUAL_DOC_SUBDIR
#define QOR_MANUAL_DOC_SUBDIR "share/doc/qor-vellacor/manual"
#endif

namespace
{
constexpr const char* kIndex = "/index.html";

std::string limitCharacters(const std::string& text, size_t limit)
{
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xc0) != 0x80 && ++characters > limit)
            return text.substr(0, i);
    return text;
}

bool isFile(const std::string& path)
{
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Any address inside this module.
void anchor() {}
} // namespace

std::vector<std::string> QorUserManual::shippedCandidates()
{
    std::vector<std::string> places;
    const std::string module = QorModuleFolder::of(reinterpret_cast<const void*>(&anchor));
    if (!module.empty())
    {
        places.push_back(module + "/manual" + kIndex);
        places.push_back(module + "/../" QOR_MANUAL_DOC_SUBDIR + std::string(kIndex));
    }
#ifdef QOR_MANUAL_INSTALL_DIR
    places.push_back(QOR_MANUAL_INSTALL_DIR + std::string(kIndex));
#endif
#ifdef QOR_MANUAL_BUILD_DIR
    places.push_back(QOR_MANUAL_BUILD_DIR + std::string(kIndex));
#endif
    return places;
}

std::string QorUserManual::path()
{
    std::string stored;
    QorGlobalSettings::getManualPath(stored); // a missing value leaves it empty
    stored = limitCharacters(stored, kMaxStoredCharacters);
    if (!stored.empty())
        return stored;
    for (const std::string& place : shippedCandidates())
    {
        char resolved[PATH_MAX];
        if (isFile(place))
            return ::realpath(place.c_str(), resolved) ? std::string(resolved) : place;
    }
    return {};
}
