// Button sets of message boxes and their names.
#include "platform/ui/MessageBoxFlags.h"

#include <strings.h>

namespace ui {

int ButtonsOf(unsigned flags, int out[3]) {
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        out[0] = IDOK, out[1] = IDCANCEL;
        return 2;
    case MB_ABORTRETRYIGNORE:
        out[0] = IDABORT, out[1] = IDRETRY, out[2] = IDIGNORE;
        return 3;
    case MB_YESNOCANCEL:
        out[0] = IDYES, out[1] = IDNO, out[2] = IDCANCEL;
        return 3;
    case MB_YESNO:
        out[0] = IDYES, out[1] = IDNO;
        return 2;
    case MB_RETRYCANCEL:
        out[0] = IDRETRY, out[1] = IDCANCEL;
        return 2;
    default:
        out[0] = IDOK;
        return 1;
    }
}

int DefaultButton(unsigned flags) {
    int buttons[3];
    int count = ButtonsOf(flags, buttons);
    int index = (flags & MB_DEFBUTTON3) ? 2 : (flags & MB_DEFBUTTON2) ? 1 : 0;
    return buttons[index < count ? index : 0];
}

const char* ButtonName(int id) {
    switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "Abort";
    case IDRETRY: return "Retry";
    case IDIGNORE: return "Ignore";
    case IDYES: return "Yes";
    case IDNO: return "No";
    default: return "";
    }
}

int ButtonFromName(const char* name) {
    for (int id = IDOK; id <= IDNO; ++id)
        if (strcasecmp(ButtonName(id), name) == 0)
            return id;
    return 0;
}

} // namespace ui
