#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace qortest
{

// A whole file's bytes ("" when it cannot be read).
inline std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace qortest
