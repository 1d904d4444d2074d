// Drives real windows as a user would, in another process or from a second thread of this one.
#include "GuiDriver.h"

#include <cstdio>
#include <stdexcept>
#include <thread>

#include "text/Unicode.h"

namespace gui {

Process::Process(const std::wstring& program, const std::wstring& arguments, const std::wstring& workingFolder)
{
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info)) {
        throw std::runtime_error("cannot start " + Narrow(program) + ", error " + std::to_string(GetLastError()));
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    // The program can take focus and shortcuts only once it is allowed to come to the front.
    AllowSetForegroundWindow(id_);
}

Process::~Process()
{
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        Kill();
    }
    CloseHandle(process_);
}

bool Process::WaitForExit(DWORD timeoutMs)
{
    return WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_, &code);
    return code;
}

void Process::Kill()
{
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, kWaitMs);
}

HWND WaitForWindow(DWORD processId, const std::string& title, const wchar_t* className, DWORD timeoutMs)
{
    const std::wstring wideTitle = Widen(title);
    HWND result = nullptr;
    WaitUntil([&] { return (result = FindTopWindow(processId, wideTitle, className)) != nullptr; }, timeoutMs);
    return result;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    return WaitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

HWND FindChild(HWND parent, const std::string& text, const wchar_t* className)
{
    for (HWND child : Children(parent)) {
        if (ReadText(child) == text && (className == nullptr || ClassName(child) == Narrow(className))) {
            return child;
        }
    }
    return nullptr;
}

HWND ChildOfClass(HWND parent, const wchar_t* className, size_t index)
{
    for (HWND child : Children(parent)) {
        if (_wcsicmp(WindowClass(child).c_str(), className) == 0 && index-- == 0) {
            return child;
        }
    }
    return nullptr;
}

std::string ClassName(HWND window)
{
    return Narrow(WindowClass(window));
}

std::string ReadText(HWND window)
{
    // WM_GETTEXT rather than GetWindowText, which does not read another process's controls.
    auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    auto copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return Narrow(text);
}

RECT ChildRect(HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE ClientSize(HWND window)
{
    RECT rect{};
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

bool IsEnabled(HWND window)
{
    return IsWindowEnabled(window) != FALSE;
}

bool IsChecked(HWND checkBox)
{
    return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TypeText(HWND edit, const std::string& text)
{
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CHAR, VK_BACK, 0);
    for (wchar_t unit : Widen(text)) {
        SendMessageW(edit, WM_CHAR, unit, 1);
    }
}

void Click(HWND button)
{
    PostMessageW(button, BM_CLICK, 0, 0);
}

void RequestClose(HWND window)
{
    PostMessageW(window, WM_CLOSE, 0, 0);
}

namespace {

// Without a window manager the program comes to the front only when asked; a key sent before it has would go
// elsewhere.
void BringToFront(HWND window)
{
    SetForegroundWindow(window);
    WaitUntil([&] { return GetForegroundWindow() == window; });
}

INPUT Key(WORD vk, DWORD flags = 0)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    return input;
}

bool MenuIsOpen(DWORD processId)
{
    for (HWND hwnd : TopWindows(processId)) {
        if (WindowClass(hwnd) == L"#32768") {
            return true;
        }
    }
    return false;
}

} // namespace

void PressCtrlKey(HWND window, char key)
{
    BringToFront(window);
    auto vk = static_cast<WORD>(key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key);
    INPUT inputs[4] = {Key(VK_CONTROL), Key(vk), Key(vk, KEYEVENTF_KEYUP), Key(VK_CONTROL, KEYEVENTF_KEYUP)};
    SendInput(4, inputs, sizeof(INPUT));
}

void ChooseMenuItem(HWND window, char menuLetter, int itemIndex)
{
    BringToFront(window);
    const auto letter = static_cast<WORD>(menuLetter);
    INPUT open[4] = {Key(VK_MENU), Key(letter), Key(letter, KEYEVENTF_KEYUP), Key(VK_MENU, KEYEVENTF_KEYUP)};
    SendInput(4, open, sizeof(INPUT));
    // Keys that arrive before the menu's own loop has started can be lost: wait for its popup to show.
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    WaitUntil([&] { return MenuIsOpen(processId); });
    std::vector<INPUT> keys;
    for (int i = 0; i < itemIndex; ++i) {
        keys.push_back(Key(VK_DOWN));
        keys.push_back(Key(VK_DOWN, KEYEVENTF_KEYUP));
    }
    keys.push_back(Key(VK_RETURN));
    keys.push_back(Key(VK_RETURN, KEYEVENTF_KEYUP));
    for (INPUT& key : keys) {
        SendInput(1, &key, sizeof key);
        // The menu's loop takes each key in turn; pace them as a typist would.
        Sleep(100);
    }
}

MessageBoxInfo WaitForMessageBox(DWORD processId, DWORD timeoutMs)
{
    MessageBoxInfo box;
    WaitUntil(
        [&] {
            for (HWND hwnd : TopWindows(processId)) {
                // A message box's text is the Static with id 0xFFFF; other dialogs have none.
                HWND text = GetDlgItem(hwnd, 0xFFFF);
                if (WindowClass(hwnd) == L"#32770" && text != nullptr) {
                    box.window = hwnd;
                    box.caption = ReadText(hwnd);
                    box.text = ReadText(text);
                    box.owner = GetWindow(hwnd, GW_OWNER);
                    box.hasCancel = GetDlgItem(hwnd, IDCANCEL) != nullptr;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return box;
}

bool DismissMessageBox(const MessageBoxInfo& box, int buttonId)
{
    if (box.window == nullptr) {
        return false;
    }
    Press(box.window, buttonId);
    return WaitForWindowGone(box.window);
}

void DriveWhile(const std::function<void()>& loop, const std::function<void()>& drive)
{
    std::thread driver([&] {
        drive();
        for (HWND hwnd : TopWindows(GetCurrentProcessId())) {
            RequestClose(hwnd);
        }
    });
    struct Join {
        std::thread& thread;
        ~Join() { thread.join(); }
    } join{driver};
    loop();
}

Screenshot Capture(HWND window)
{
    Screenshot shot;
    RECT frame{};
    POINT client{0, 0};
    if (!GetWindowRect(window, &frame) || !ClientToScreen(window, &client)) {
        return shot;
    }
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0) {
        return shot;
    }
    // Copied from the screen, so the frame and menu look as the user sees them.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY)) {
            GdiFlush();
            shot.width = width;
            shot.height = height;
            shot.clientLeft = client.x - frame.left;
            shot.clientTop = client.y - frame.top;
            const auto* first = static_cast<const unsigned char*>(bits);
            shot.bits.assign(first, first + shot.Stride() * static_cast<size_t>(height));
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

COLORREF Screenshot::AtClient(int x, int y) const
{
    const int column = clientLeft + x;
    // A bottom-up bitmap: the last row of the window comes first.
    const int row = height - 1 - (clientTop + y);
    if (column < 0 || column >= width || row < 0 || row >= height) {
        return CLR_INVALID;
    }
    const unsigned char* pixel = &bits[static_cast<size_t>(row) * Stride() + static_cast<size_t>(column) * 3];
    return RGB(pixel[2], pixel[1], pixel[0]);
}

int Screenshot::CountAtClient(const RECT& area, COLORREF colour) const
{
    int count = 0;
    for (LONG y = area.top; y < area.bottom; ++y) {
        for (LONG x = area.left; x < area.right; ++x) {
            count += AtClient(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

bool Screenshot::Save(const std::wstring& path) const
{
    if (bits.empty()) {
        return false;
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + bits.size());
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) {
        return false;
    }
    bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&header, sizeof header, 1, out) == 1 &&
              std::fwrite(bits.data(), bits.size(), 1, out) == 1;
    return std::fclose(out) == 0 && ok;
}

bool SaveScreenshot(HWND window, const std::wstring& path)
{
    return Capture(window).Save(path);
}

} // namespace gui
