// The built user manual: a page per area, links that lead somewhere, the same pages in the LV2
// bundle, and every control of the panel described.
#include "tests/support/FileText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
const fs::path kBuilt = QOR_MANUAL_BUILD_DIR;
const char* const kPages[] = {"index.html", "panel.html", "preset-bar.html", "preset-menu.html",
                              "configuration-menu.html", "hosts.html"};

std::string page(const fs::path& dir, const std::string& name) { return qortest::readText(dir / name); }

// href and src values of a page.
std::vector<std::string> links(const std::string& html)
{
    std::vector<std::string> found;
    static const std::regex attribute(R"re((?:href|src)\s*=\s*"([^"]*)")re");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), attribute); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1].str());
    return found;
}

std::set<std::string> ids(const std::string& html)
{
    std::set<std::string> found;
    static const std::regex attribute(R"re(id\s*=\s*"([^"]*)")re");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), attribute); it != std::sregex_iterator(); ++it)
        found.insert((*it)[1].str());
    return found;
}
} // namespace

TEST(Manual, EveryAreaHasItsPageAndTheContentsLeadToEachOne)
{
    ASSERT_TRUE(fs::is_directory(kBuilt)) << kBuilt;
    const std::vector<std::string> fromIndex = links(page(kBuilt, "index.html"));
    for (const char* name : kPages)
    {
        ASSERT_TRUE(fs::is_regular_file(kBuilt / name)) << name;
        EXPECT_NE(std::find(fromIndex.begin(), fromIndex.end(), name), fromIndex.end()) << name;
        const std::string html = page(kBuilt, name);
        EXPECT_NE(html.find("<title>"), std::string::npos) << name;
        EXPECT_NE(html.find("href=\"index.html\""), std::string::npos) << name << " leads back to the contents";
    }
}

TEST(Manual, EveryRelativeLinkAndPictureIsThere)
{
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(kBuilt))
    {
        if (entry.path().extension() != ".html")
            continue;
        for (const std::string& link : links(qortest::readText(entry.path())))
        {
            if (link.find("://") != std::string::npos || link.rfind("mailto:", 0) == 0)
                continue;
            const size_t hash = link.find('#');
            const std::string file = link.substr(0, hash);
            const fs::path target = file.empty() ? entry.path() : kBuilt / file;
            ASSERT_TRUE(fs::is_regular_file(target)) << entry.path().filename() << " -> " << link;
            if (hash != std::string::npos)
            {
                EXPECT_TRUE(ids(qortest::readText(target)).count(link.substr(hash + 1)))
                    << entry.path().filename() << " -> " << link;
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 40);
}

TEST(Manual, ThePanelPageDescribesEveryControlWithItsValues)
{
    const std::string html = page(kBuilt, "panel.html");
    for (const char* text : {"Ratio", "Att/Rel", "Time", "Compression", "Output", "Valve Level", "Valve / Clear / Off",
                             "1.2:1", "10:1", "x0.25", "x4", "-3", "+3", "0.00 to 30.00", "Shift", "Double-click",
                             "wheel", "about box"})
        EXPECT_NE(html.find(text), std::string::npos) << text;
}

TEST(Manual, TheLv2BundleCarriesTheSamePages)
{
#ifdef QOR_LV2_BUNDLE_DIR
    const fs::path bundled = fs::path(QOR_LV2_BUNDLE_DIR) / "manual";
    for (const char* name : kPages)
        EXPECT_EQ(page(bundled, name), page(kBuilt, name)) << name;
    EXPECT_TRUE(fs::is_regular_file(bundled / "images" / "editor.png"));
#else
    GTEST_SKIP() << "no LV2 bundle in this build";
#endif
}
