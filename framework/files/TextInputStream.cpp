// A file read line by line through a 1,024-byte buffer.
#include "files/TextInputStream.h"

#include <cstring>

TextInputStream::TextInputStream(FileHandle file) : file_(std::move(file)) {}

// A read error ends the stream the same way the end of the file does: ReadLine never raises.
bool TextInputStream::Fill()
{
    position_ = 0;
    length_ = 0;
    if (!file_) {
        return false;
    }
    DWORD read = 0;
    if (!ReadFile(file_.Get(), buffer_, sizeof buffer_, &read, nullptr) || read == 0) {
        file_.Reset();
        return false;
    }
    length_ = read;
    return true;
}

std::string TextInputStream::ReadLine()
{
    std::string line;
    for (;;) {
        if (position_ == length_ && !Fill()) {
            return line;
        }
        const char* begin = buffer_ + position_;
        const char* end = buffer_ + length_;
        const char* stop = begin;
        while (stop != end && *stop != '\r' && *stop != '\n') {
            ++stop;
        }
        line.append(begin, stop);
        position_ = static_cast<size_t>(stop - buffer_);
        if (stop == end) {
            continue;
        }
        ++position_;
        // The LF of a CR LF pair may be the first byte of the next buffer.
        if (*stop == '\r' && (position_ < length_ || Fill()) && buffer_[position_] == '\n') {
            ++position_;
        }
        return line;
    }
}

void TextInputStream::Close()
{
    file_.Reset();
    position_ = 0;
    length_ = 0;
}
