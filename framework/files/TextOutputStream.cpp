// A file written line by line; a failed write is remembered so that a caller can tell a save did not happen.
#include "files/TextOutputStream.h"

#include <algorithm>

TextOutputStream::TextOutputStream(FileHandle file) : file_(std::move(file)) {}

void TextOutputStream::WriteLine(const std::string& text)
{
    std::string bytes = text;
    bytes += Delimiter.empty() ? std::string("\r\n") : Delimiter;
    if (!file_) {
        failed_ = true;
        return;
    }
    // WriteFile takes a 32-bit count, so very long lines go in pieces.
    constexpr size_t kMaxPiece = 1u << 30;
    size_t offset = 0;
    while (offset < bytes.size()) {
        const DWORD piece = static_cast<DWORD>(std::min(bytes.size() - offset, kMaxPiece));
        DWORD written = 0;
        if (!WriteFile(file_.Get(), bytes.data() + offset, piece, &written, nullptr) || written == 0) {
            failed_ = true;
            return;
        }
        offset += written;
    }
}

bool TextOutputStream::Close()
{
    const HANDLE file = file_.Release();
    if (file != INVALID_HANDLE_VALUE && !CloseHandle(file)) {
        failed_ = true;
    }
    return !failed_;
}
