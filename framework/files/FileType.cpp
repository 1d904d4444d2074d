// The list of document file types the application registered.
#include "files/FileType.h"

namespace {

std::vector<FileType>& Types() noexcept
{
    static std::vector<FileType> types;
    return types;
}

} // namespace

void RuntimeRegisterFileType(const FileType& type)
{
    Types().push_back(type);
}

const std::vector<FileType>& RegisteredFileTypes() noexcept
{
    return Types();
}
