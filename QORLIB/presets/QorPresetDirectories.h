#pragma once

#include "QORLIB/presets/QorPresetDirectory.h"
#include "QORLIB/presets/QorPresetProduct.h"

#include <array>
#include <memory>
#include <string>

// The process-wide preset directories (Category, Designer, User) and the user preset folder,
// built by the first preset manager of the process and released with the last one.
// Main thread only.
class QorPresetDirectories
{
public:
    // Counts a user; the first one builds everything from product.
    static QorPresetDirectories& acquire(const QorPresetProduct& product);
    // Uncounts a user; the last one frees everything.
    static void release();
    // The live instance, or null.
    static QorPresetDirectories* instance();

    const QorPresetProduct& product() const { return product_; }
    QorPresetDirectory* directory(uint32_t kind)
    {
        return kind < directories_.size() ? &directories_[kind] : nullptr;
    }
    // Empty when there is no usable user folder.
    const std::string& userFolder() const { return userFolder_; }
    void rescanUserPresets();

    explicit QorPresetDirectories(const QorPresetProduct& product);

private:
    void buildFactoryDirectories();

    const QorPresetProduct& product_;
    std::array<QorPresetDirectory, 3> directories_;
    std::string userFolder_;
};
