// Button sets, icons and answers of modal message boxes.
#pragma once

namespace ui {

// Button sets.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_TYPEMASK = 0xF;
// Icons.
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_ICONMASK = 0xF0;
// Default button (the first one unless one of these says otherwise).
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_DEFBUTTON3 = 0x200;

// Answers.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The buttons of a set, in the order they stand in the box.
int ButtonsOf(unsigned flags, int out[3]);
// The button that answers a box nobody answered.
int DefaultButton(unsigned flags);
// "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"; "" for anything else.
const char* ButtonName(int id);
// The answer for a button name (any case), 0 when unknown.
int ButtonFromName(const char* name);

} // namespace ui
