#pragma once

#include "QORLIB/presets/QorPresetDirectory.h"

#include <string>

// Builds the user directory from the folder tree: column 0 "All" (every preset of the tree), then
// one column per direct sub-folder, all sorted by name. Presets in folders below a sub-folder
// show in that sub-folder's column, named with their path below it ("Deeper/Deep").
class QorUserPresetScanner
{
public:
    static constexpr uint32_t kMaxFolderEntriesExamined = 127;
    static constexpr int kMaxDepthBelowColumn = 8;

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
