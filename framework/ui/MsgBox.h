// The framework's plain modal message box.
#pragma once

#include <string>

// MessageBoxW with MB_OK | MB_ICONINFORMATION and the caption "Message". While a modal window is shown its owner
// is the topmost visible one, otherwise the program's active window, or none. Returns once dismissed.
void MsgBox(const std::string& text);

// MsgBox without handing on what handlers raised while the box was open, for the report that nothing may stop.
void ShowPlainMessage(const std::string& text);
