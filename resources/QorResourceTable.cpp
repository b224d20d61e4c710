#include "resources/QorResourceTable.h"

std::span<const uint8_t> QorResourceTable::findImage(int id)
{
    for (const Entry& e : entries())
        if (e.id == id)
            return {e.data, e.size};
    return {};
}
