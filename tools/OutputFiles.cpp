#include "tools/OutputFiles.h"

#include "tools/CliError.h"

#include <sys/stat.h>

void OutputFiles::check(const std::vector<Named>& outputs, const std::vector<Named>& inputs)
{
    for (std::size_t i = 0; i < outputs.size(); ++i)
    {
        const Named& o = outputs[i];
        for (const Named& in : inputs)
            if (!in.path.empty() && QorPendingFile::sameFile(o.path, in.path))
                throw CliError(o.what + " '" + o.path + "' is the same file as " + in.what +
                               "; choose another output file");
        for (std::size_t j = 0; j < i; ++j)
            if (QorPendingFile::sameFile(o.path, outputs[j].path))
                throw CliError(o.what + " '" + o.path + "' is the same file as " + outputs[j].what +
                               "; choose another output file");
        struct stat st{};
        if (::stat(o.path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
            throw CliError(o.what + " '" + o.path + "' exists and is not a regular file; it is not replaced");
    }
}

QorPendingFile& OutputFiles::begin(const std::string& path)
{
    QorPendingFile& file = files_.emplace_back();
    std::string error;
    if (!file.begin(path, error))
        throw CliError("cannot write '" + path + "': " + error);
    return file;
}

void OutputFiles::add(const std::string& path, const std::vector<uint8_t>& bytes)
{
    QorPendingFile& file = begin(path);
    std::string error;
    if (!file.write(bytes.data(), bytes.size(), error) || !file.finish(error))
        throw CliError("cannot write '" + path + "': " + error);
}

void OutputFiles::commit()
{
    std::vector<QorPendingFile*> all;
    for (QorPendingFile& f : files_)
        all.push_back(&f);
    std::string error;
    if (!QorPendingFile::commitAll(all, error))
        throw CliError("cannot put the written files in place: " + error);
}
