// Without libFuzzer (GCC builds), a fuzz target runs as a test: every file of the corpus given
// on the command line, every prefix of it, and every byte of it set to 0x00, 0x7F, 0x80 and
// 0xFF in turn, each in a buffer of exactly its size.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace
{
void runExact(const std::vector<uint8_t>& bytes, std::size_t size)
{
    std::vector<uint8_t> exact(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    LLVMFuzzerTestOneInput(exact.empty() ? nullptr : exact.data(), exact.size());
}

std::size_t replay(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<uint8_t> seed((std::istreambuf_iterator<char>(in)), {});
    std::size_t runs = 0;
    for (std::size_t n = 0; n <= seed.size(); ++n, ++runs)
        runExact(seed, n);
    for (std::size_t i = 0; i < seed.size(); ++i)
        for (uint8_t v : {uint8_t{0x00}, uint8_t{0x7F}, uint8_t{0x80}, uint8_t{0xFF}})
        {
            std::vector<uint8_t> changed = seed;
            changed[i] = v;
            runExact(changed, changed.size());
            ++runs;
        }
    return runs;
}
} // namespace

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize != nullptr)
        LLVMFuzzerInitialize(&argc, &argv);
    std::size_t files = 0, runs = 0;
    for (int a = 1; a < argc; ++a)
    {
        const std::filesystem::path path(argv[a]);
        if (std::filesystem::is_directory(path))
        {
            for (const auto& e : std::filesystem::directory_iterator(path))
                if (e.is_regular_file())
                    runs += replay(e.path()), ++files;
        }
        else
            runs += replay(path), ++files;
    }
    std::printf("%zu inputs from %zu seed files\n", runs, files);
    return files > 0 ? 0 : 1;
}
