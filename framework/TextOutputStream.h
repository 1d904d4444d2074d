// A file written line by line.
#pragma once

#include <string>

#include "Object.h"
#include "Handle.h"

class TextOutputStream : public Object {
public:
    explicit TextOutputStream(FileHandle file);

    // The bytes of text, then the Delimiter, or CR LF while the Delimiter is empty.
    void WriteLine(const std::string& text);
    void Close();

    std::string Delimiter;

private:
    FileHandle file_;
};
