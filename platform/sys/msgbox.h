#pragma once
// Message boxes like MessageBoxA.
//
// With a display the box is a real modal one, shown by the message-box
// program of the run tree (Lcd/msgbox, built with the viewer): MessageBoxA
// runs it with the type, caption and text (UTF-8) and waits; its exit status
// is the button pressed. Headless (SetHeadless(true): a program's main sets
// it from TOVSIM_HEADLESS=1 or a session without a display; the default
// until then), or when the program is missing or could show no box, the
// caption and text go to stderr as UTF-8 and the call returns at once with
// the default button. Every box is also recorded, with its raw GB2312 bytes,
// so tests can check which messages were shown.

#include <string>
#include <vector>

namespace plat {

// Button sets (the low four bits of `type`).
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_RETRYCANCEL = 0x5;
// Icons.
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
// Default button (the one a headless box answers with).
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;

// Results: the button pressed.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Shows `text` (GB2312) with `caption`, "Error" when null, and returns the
// button pressed. Closing the box without a button counts as its cancel
// button where it has one, else its only or first one. `owner` is not used:
// boxes have no owner window here.
int MessageBoxA(void* owner, const char* text, const char* caption, unsigned type);

// Headless mode on or off for this process; on until set.
void SetHeadless(bool headless);
bool IsHeadless();

// The message-box program to run; empty restores the run tree's, which is
// found from the running program's folder as "../Lcd/msgbox".
void SetMessageBoxProgram(const std::string& path);

struct RecordedMessageBox {
  std::string text;     // GB2312 bytes as passed
  std::string caption;  // GB2312 bytes; "Error" when none was passed
  unsigned type;
};

std::vector<RecordedMessageBox> RecordedMessageBoxes();
void ClearRecordedMessageBoxes();

}  // namespace plat
