#pragma once

#include "QORLIB/presets/QorPresetDirectory.h"

#include <string>

// Builds the user directory from the folder tree: column 0 "All" (every preset of the folder and
// of its direct sub-folders), then one column per direct sub-folder, all sorted by name.
class QorUserPresetScanner
{
public:
    static constexpr uint32_t kMaxFolderEntriesExamined = 127;

    // An empty or unreadable folder leaves only an empty "All".
    static void scan(const std::string& folder, QorPresetDirectory& directory);

    // The sort order of names: upper-cased signed bytes, a prefix first. True when a must stay
    // before b; equal names count as out of order.
    static bool inOrder(const std::string& a, const std::string& b);

    // Exchange sort with inOrder: each position in turn is swapped with every later element
    // that is not in order after it.
    template <class T, class Name>
    static void exchangeSort(std::vector<T>& items, Name nameOf)
    {
        for (std::size_t i = 0; i + 1 < items.size(); ++i)
            for (std::size_t j = i + 1; j < items.size(); ++j)
                if (!inOrder(nameOf(items[i]), nameOf(items[j])))
                    std::swap(items[i], items[j]);
    }
};
