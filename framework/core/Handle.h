// RAII owners for Win32 handles, each closed exactly once.
#pragma once

#include <windows.h>

#include <utility>

template <class Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type handle) noexcept : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Type Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }
    Type Release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Type handle = Traits::Invalid()) noexcept
    {
        Type old = std::exchange(handle_, handle);
        if (old != Traits::Invalid()) {
            Traits::Close(old);
        }
    }

private:
    Type handle_ = Traits::Invalid();
};

// What a creating call returns when it fails: null, or INVALID_HANDLE_VALUE (files, finds, change notifications).
enum class NoHandle { Null, MinusOne };

// A handle type, the Win32 function that frees it, and the value that stands for no handle.
template <class T, BOOL(WINAPI* CloseFunction)(T), NoHandle kNone = NoHandle::Null>
struct HandleTraits {
    using Type = T;
    static Type Invalid() noexcept
    {
        if constexpr (kNone == NoHandle::MinusOne) {
            return INVALID_HANDLE_VALUE;
        } else {
            return nullptr;
        }
    }
    static void Close(Type h) noexcept { CloseFunction(h); }
};

using FileHandle = UniqueHandle<HandleTraits<HANDLE, ::CloseHandle, NoHandle::MinusOne>>;  // CreateFileW
using KernelHandle = UniqueHandle<HandleTraits<HANDLE, ::CloseHandle>>;  // processes, events
using FindHandle = UniqueHandle<HandleTraits<HANDLE, ::FindClose, NoHandle::MinusOne>>;  // FindFirstFileW
using ChangeNotification =  // FindFirstChangeNotificationW
    UniqueHandle<HandleTraits<HANDLE, ::FindCloseChangeNotification, NoHandle::MinusOne>>;
using ModuleHandle = UniqueHandle<HandleTraits<HMODULE, ::FreeLibrary>>;  // LoadLibraryW
using GdiObject = UniqueHandle<HandleTraits<HGDIOBJ, ::DeleteObject>>;  // fonts, bitmaps, brushes
using MenuHandle = UniqueHandle<HandleTraits<HMENU, ::DestroyMenu>>;  // CreateMenu, CreatePopupMenu
using AcceleratorTable = UniqueHandle<HandleTraits<HACCEL, ::DestroyAcceleratorTable>>;  // CreateAcceleratorTableW
