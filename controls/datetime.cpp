// Date-time pickers. Scripts exchange the value as "yyyy:MM:dd:HH:mm:ss"
// whatever the picker's display format.
#include "../interface/call.h"  // brings windows.h, which commctrl.h needs first

#include <commctrl.h>

#include "../interface/conversions.h"
#include "datetime_text.h"

namespace {

constexpr DWORD kPickerStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | DTS_SHOWNONE;  // 0x50800002

// The calendar font that dtSetDateTimeFont made for a picker is kept as a
// property of the picker, so that a new one can replace it and the last one
// goes with the picker.
const char kFontProperty[] = "TabulonCalendarFont";
constexpr UINT_PTR kFontSubclassId = 0x54616246;  // 'TabF'

LRESULT CALLBACK ReleaseFontWithPicker(HWND picker, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR) {
    if (message != WM_NCDESTROY) return DefSubclassProc(picker, message, wParam, lParam);
    const LRESULT answer = DefSubclassProc(picker, message, wParam, lParam);
    RemoveWindowSubclass(picker, ReleaseFontWithPicker, kFontSubclassId);
    if (HGDIOBJ font = RemovePropA(picker, kFontProperty)) DeleteObject(font);
    return answer;
}

// A picker that carries our subclass calls into this module until it is
// destroyed, so the module must not be unloaded under it: once one does,
// the module stays for the rest of the process.
void KeepModuleLoaded() {
    static bool pinned = false;
    HMODULE self = nullptr;
    if (!pinned)
        pinned = GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                                    reinterpret_cast<LPCSTR>(&ReleaseFontWithPicker), &self) != FALSE;
}

// The calendar's present font with the face replaced, so the calendar
// keeps its size of type.
HFONT CreateCalendarFont(HGDIOBJ base, const char* face) {
    LOGFONTA description = {};
    if (GetObjectType(base) != OBJ_FONT || !GetObjectA(base, sizeof description, &description))
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    lstrcpynA(description.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&description);
}

bool HasFace(HGDIOBJ font, const char* face) {
    LOGFONTA description = {};
    if (!font || !GetObjectA(font, sizeof description, &description)) return false;
    char wanted[LF_FACESIZE];
    lstrcpynA(wanted, face, LF_FACESIZE);
    return lstrcmpiA(description.lfFaceName, wanted) == 0;
}

// Appends text to a buffer of the given size, always terminated.
void Append(char* buffer, int size, const char* text) {
    const int length = lstrlenA(buffer);
    if (length < size - 1) lstrcpynA(buffer + length, text, size - length);
}

}  // namespace

Completed dtCreateDateTime(const Call& call) {
    HWND picker = CreateWindowExA(0, DATETIMEPICK_CLASSA, "DateTime", kPickerStyle, ArgInt(call, 2), ArgInt(call, 3),
                                  ArgInt(call, 4), ArgInt(call, 5), ArgWindow(call, 1), nullptr, call.hostInstance,
                                  nullptr);
    return CompleteInt(call, static_cast<int32_t>(reinterpret_cast<intptr_t>(picker)));
}

Completed dtFormatDateTime(const Call& call) {
    return CompleteInt(call, static_cast<int32_t>(SendPointer(ArgWindow(call, 1), DTM_SETFORMATA, 0, ArgText(call, 2))));
}

Completed dtRemoveDateTime(const Call& call) {
    // Hidden, not destroyed: the picker keeps its value and handle.
    HWND picker = ArgWindow(call, 1);
    const LRESULT answer = Send(picker, DTM_CLOSEMONTHCAL, 0, 0);
    ShowWindow(picker, SW_HIDE);
    return CompleteInt(call, static_cast<int32_t>(answer));
}

Completed dtGetDateTime(const Call& call) {
    HWND picker = ArgWindow(call, 1);
    if (ArgInt(call, 2) == -1) {
        char shown[1000] = {};
        SendPointer(picker, WM_GETTEXT, sizeof shown, shown);
        shown[sizeof shown - 1] = 0;
        return CompleteText(call, shown);
    }
    // A picker with no date (its check box cleared), or a window that is
    // no picker of ours, gives the empty text, never a made-up date.
    SYSTEMTIME time = {};
    if (!IsOwnWindow(picker) || SendPointer(picker, DTM_GETSYSTEMTIME, 0, &time) != GDT_VALID)
        return CompleteText(call, "");
    char value[64] = {};
    char piece[512] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, "yyyy:MM:dd", piece, sizeof piece);
    Append(value, sizeof value, piece);
    Append(value, sizeof value, ":");
    piece[0] = 0;
    if (!GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, "HH:mm:ss", piece, sizeof piece) || !piece[0])
        return CompleteText(call, "");
    Append(value, sizeof value, piece);
    return CompleteText(call, value);
}

Completed dtSetDateTime(const Call& call) {
    HWND picker = ArgWindow(call, 1);
    DateTimeFields fields;
    if (!ReadDateTimeText(ArgText(call, 2), fields)) {
        Send(picker, DTM_SETSYSTEMTIME, GDT_NONE, 0);  // no date: the check box is cleared
        return CompleteInt(call, 1);
    }
    SYSTEMTIME time = {};
    time.wYear = fields.year;
    time.wMonth = fields.month;
    time.wDayOfWeek = fields.dayOfWeek;
    time.wDay = fields.day;
    time.wHour = fields.hour;
    time.wMinute = fields.minute;
    time.wSecond = fields.second;
    time.wMilliseconds = fields.milliseconds;
    // The picker judges the date: an impossible one is refused with 0.
    return CompleteInt(call, static_cast<int32_t>(SendPointer(picker, DTM_SETSYSTEMTIME, GDT_VALID, &time)));
}

Completed dtSetDateTimeColor(const Call& call) {
    const COLORREF colour = ColorFromBytes(ArgInt(call, 2), ArgInt(call, 3), ArgInt(call, 4));
    const WPARAM part = static_cast<WPARAM>(static_cast<intptr_t>(ArgInt(call, 5)));
    return CompleteInt(call, static_cast<int32_t>(Send(ArgWindow(call, 1), DTM_SETMCCOLOR, part,
                                                       static_cast<LPARAM>(colour))));
}

Completed dtSetDateTimeFont(const Call& call) {
    HWND picker = ArgWindow(call, 1);
    // A font is made only for a picker of ours, which can keep it.
    if (!IsOwnWindow(picker)) return CompleteInt(call, 0);
    const char* face = ArgText(call, 2);
    if (!*face) face = "Courier New";

    HGDIOBJ current = reinterpret_cast<HGDIOBJ>(Send(picker, DTM_GETMCFONT, 0, 0));
    HGDIOBJ previous = GetPropA(picker, kFontProperty);
    HFONT font = HasFace(previous, face) ? static_cast<HFONT>(previous) : CreateCalendarFont(current, face);
    // A font made here is kept only where the picker's end can release it
    // (the subclass fails for a picker of another thread).
    if (font && font != previous) {
        KeepModuleLoaded();
        if (SetWindowSubclass(picker, ReleaseFontWithPicker, kFontSubclassId, 0)) {
            SetPropA(picker, kFontProperty, font);
        } else {
            DeleteObject(font);
            font = nullptr;
        }
    }
    // Without a font of ours the picker keeps the one it has.
    const HGDIOBJ installed = font ? static_cast<HGDIOBJ>(font) : current;
    const LRESULT answer = Send(picker, DTM_SETMCFONT, reinterpret_cast<WPARAM>(installed), TRUE);
    // Only now that the picker holds the new font can the old one go.
    if (font && previous && previous != font) DeleteObject(previous);
    return CompleteInt(call, static_cast<int32_t>(answer));
}
