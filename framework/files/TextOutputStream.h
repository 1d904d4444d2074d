// A file written line by line.
#pragma once

#include <string>

#include "core/Handle.h"
#include "core/Object.h"

class TextOutputStream : public Object {
public:
    explicit TextOutputStream(FileHandle file);

    // The bytes of text, then the Delimiter, or CR LF while the Delimiter is empty.
    // A write that fails, or comes after Close, is not retried; Failed() then stays true.
    void WriteLine(const std::string& text);
    // Closes the file; true when every write and the close itself succeeded. A second Close only reports again.
    bool Close();
    bool Failed() const noexcept { return failed_; }

    std::string Delimiter;

private:
    FileHandle file_;
    bool failed_ = false;
};
