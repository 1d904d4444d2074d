// A file read line by line through a 1,024-byte buffer.
#pragma once

#include <string>

#include "core/Handle.h"
#include "core/Object.h"

class TextInputStream : public Object {
public:
    explicit TextInputStream(FileHandle file);

    // The next line without its end: CR, LF and CR LF each end a line. Empty at and after the end.
    std::string ReadLine();
    void Close();

    std::string Encoding = "UTF-8";

private:
    bool Fill();

    FileHandle file_;
    char buffer_[1024];
    size_t length_ = 0;
    size_t position_ = 0;
};
