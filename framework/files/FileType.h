// The document file types the application declares: kept in a list that nothing on Windows reads yet.
#pragma once

#include <string>
#include <vector>

struct FileType {
    std::string name;
    std::string creatorCode;
    std::string typeCode;
    // File-name extensions, each with its dot; empty when the type names none.
    std::vector<std::string> extensions;
};

// Adds one type to the list, after those registered before.
void RuntimeRegisterFileType(const FileType& type);
// Every type registered so far, oldest first.
const std::vector<FileType>& RegisteredFileTypes() noexcept;
