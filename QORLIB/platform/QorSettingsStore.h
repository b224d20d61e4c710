#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The per-user key-value store that stands in for the registry: a key is a folder under the
// settings root, a value is a file holding the value's bytes. The root is $QOR_SETTINGS_DIR
// when set, else $XDG_CONFIG_HOME/<maker folder>, else $HOME/.config/<maker folder>.
// Main thread only.
class QorSettingsStore
{
public:
    enum Status : int
    {
        kSuccess = 0,
        kNotFound = 2,   // no such key or value
        kNoRoot = 3,     // neither QOR_SETTINGS_DIR, XDG_CONFIG_HOME nor HOME is usable
        kBadName = 4,    // empty, ".", ".." or a name with '/' or NUL
        kIoError = 5,
        kTooLarge = 6,   // the stored value is longer than the caller accepts
    };

    static std::string root();

    // Replaces the value atomically: a reader in another process sees the old bytes or the
    // new ones, never a mixture. Creates the key when missing.
    static int writeValue(const std::string& key, const std::string& name, const void* data,
                          std::size_t size);
    // Reads the whole value; fails with kTooLarge (out untouched) beyond maxSize bytes.
    static int readValue(const std::string& key, const std::string& name,
                         std::vector<uint8_t>& out, std::size_t maxSize);
    static int removeValue(const std::string& key, const std::string& name);
};
