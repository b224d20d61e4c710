#pragma once

#include <filesystem>
#include <string>

namespace qortest
{

// A folder under the system's temporary folder that is removed with the object.
class TempDir
{
public:
    explicit TempDir(const std::string& prefix = "qor-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace qortest
