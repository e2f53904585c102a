// Date-time pickers. Scripts exchange the value as "yyyy:MM:dd:HH:mm:ss"
// whatever the picker's display format. What a picker carries for the
// extender lives in its record (window_hooks.h): the calendar font that
// dtSetDateTimeFont made, which goes with the picker, and the mark of a
// picker whose calendar got a colour.
#include "../interface/call.h"  // brings windows.h, which commctrl.h needs first

#include <commctrl.h>

#include "../interface/characters.h"
#include "../interface/conversions.h"
#include "../interface/visual_style.h"
#include "../interface/window_hooks.h"
#include "datetime_text.h"

namespace {

constexpr DWORD kPickerStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | DTS_SHOWNONE;  // 0x50800002
constexpr uint16_t kEarliestYear = 1601;  // where Windows' FILETIME starts

// A calendar drawn classically needs another size than the style gave it:
// it, and the drop-down window that holds it where it has one, are fitted
// to what it needs (a calendar that is a pop-up of its own, as Wine's is,
// has no holder).
void FitCalendar(HWND calendar) {
    RECT need = {};
    if (!SendPointer(calendar, MCM_GETMINREQRECT, 0, &need)) return;
    int width = need.right - need.left;
    const int height = need.bottom - need.top;
    if (!(GetWindowLongA(calendar, GWL_STYLE) & MCS_NOTODAY)) {
        const int today = static_cast<int>(Send(calendar, MCM_GETMAXTODAYWIDTH, 0, 0));
        if (today > width) width = today;
    }
    RECT now = {};
    if (width <= 0 || height <= 0 || !GetWindowRect(calendar, &now)) return;
    const UINT keep = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(calendar, nullptr, 0, 0, width, height, keep);
    HWND holder = GetAncestor(calendar, GA_PARENT);
    RECT outer = {};
    if (holder && holder != GetDesktopWindow() && GetWindowRect(holder, &outer))
        SetWindowPos(holder, nullptr, 0, 0, outer.right - outer.left + width - (now.right - now.left),
                     outer.bottom - outer.top + height - (now.bottom - now.top), keep);
}

// Marks a picker of ours whose calendar got a colour, where both its end
// and its parent can be watched (not for windows of another thread).
void KeepCalendarsClassic(HWND picker) {
    HWND parent = GetParent(picker);
    if (!parent || !HookWindow(picker, kHookPicker) || !HookWindow(parent, kHookPickerParent)) return;
    if (WindowHook* hook = FindHook(picker)) hook->classicCalendars = true;
}

// The calendar's present font with the face replaced, so the calendar
// keeps its size of type.
HFONT CreateCalendarFont(HGDIOBJ base, const char* face) {
    LOGFONTA description = {};
    if (GetObjectType(base) != OBJ_FONT || !GetObjectA(base, sizeof description, &description))
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    CopyWholeCharacters(description.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&description);
}

bool HasFace(HGDIOBJ font, const char* face) {
    LOGFONTA description = {};
    if (!font || !GetObjectA(font, sizeof description, &description)) return false;
    char wanted[LF_FACESIZE];
    CopyWholeCharacters(wanted, face, LF_FACESIZE);
    return lstrcmpiA(description.lfFaceName, wanted) == 0;
}

// Appends text to a buffer of the given size, always terminated.
void Append(char* buffer, int size, const char* text) {
    const int length = lstrlenA(buffer);
    if (length < size - 1) lstrcpynA(buffer + length, text, size - length);
}

// Wine's picker splits a format into room for 32 fields and a text buffer
// of 256 characters, and writes past them for a longer one: its heap breaks
// from 33 fields or 267 characters of text on, and it may fault. Such a
// format is refused there; Windows takes it.
bool FitsWinePicker(const char* format) {
    const PickerFormatSize size = MeasurePickerFormat(format);
    return size.fields <= 32 && size.literalCharacters <= 256;
}

}  // namespace

// A picker makes its calendar anew each time it drops down (Wine's keeps
// one), and tells its parent with DTN_DROPDOWN. For a picker whose
// calendar got a colour, each new calendar is switched to classic drawing
// there, which shows it.
bool PickerParentMessage(HWND, UINT message, WPARAM, LPARAM lParam, LRESULT&) {
    if (message != WM_NOTIFY || !lParam) return false;
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code != static_cast<UINT>(DTN_DROPDOWN)) return false;
    const WindowHook* picker = FindHook(header->hwndFrom);
    if (picker && picker->classicCalendars) {
        HWND calendar = reinterpret_cast<HWND>(Send(header->hwndFrom, DTM_GETMONTHCAL, 0, 0));
        if (DrawClassically(calendar)) FitCalendar(calendar);
    }
    return false;
}

void ReleasePicker(WindowHook& hook) {
    if (hook.calendarFont) DeleteObject(hook.calendarFont);
    hook.calendarFont = nullptr;
}

Completed dtCreateDateTime(const Call& call) {
    HWND picker = CreateWindowExA(0, DATETIMEPICK_CLASSA, "DateTime", kPickerStyle, ArgInt(call, 2), ArgInt(call, 3),
                                  ArgInt(call, 4), ArgInt(call, 5), ArgWindow(call, 1), nullptr, call.hostInstance,
                                  nullptr);
    return CompleteInt(call, static_cast<int32_t>(reinterpret_cast<intptr_t>(picker)));
}

Completed dtFormatDateTime(const Call& call) {
    const char* format = ArgText(call, 2);
    if (RunsOnWine() && !FitsWinePicker(format)) return CompleteInt(call, 0);
    return CompleteInt(call, static_cast<int32_t>(SendPointer(ArgWindow(call, 1), DTM_SETFORMATA, 0, format)));
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
        DropSplitCharacter(shown);
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
    // Windows' pickers refuse a date before 1601, where Windows' time
    // begins; Wine's answer 1 and keep their date.
    if (fields.year < kEarliestYear) return CompleteInt(call, 0);
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

// The calendars of a picker that gets a colour draw classically: the style
// would ignore it. A part that names no colour changes nothing.
Completed dtSetDateTimeColor(const Call& call) {
    HWND picker = ArgWindow(call, 1);
    const COLORREF colour = ColorFromBytes(ArgInt(call, 2), ArgInt(call, 3), ArgInt(call, 4));
    const int32_t part = ArgInt(call, 5);
    if (part >= MCSC_BACKGROUND && part <= MCSC_TRAILINGTEXT) KeepCalendarsClassic(picker);
    const LRESULT previous =
        Send(picker, DTM_SETMCCOLOR, static_cast<WPARAM>(static_cast<intptr_t>(part)), static_cast<LPARAM>(colour));
    return CompleteInt(call, static_cast<int32_t>(previous));
}

Completed dtSetDateTimeFont(const Call& call) {
    HWND picker = ArgWindow(call, 1);
    // A font is made only for a picker of ours, which can keep it.
    if (!IsOwnWindow(picker)) return CompleteInt(call, 0);
    const char* face = ArgText(call, 2);
    if (!*face) face = "Courier New";

    HGDIOBJ current = reinterpret_cast<HGDIOBJ>(Send(picker, DTM_GETMCFONT, 0, 0));
    const WindowHook* known = FindHook(picker);
    HFONT previous = known ? known->calendarFont : nullptr;
    HFONT font = HasFace(previous, face) ? previous : CreateCalendarFont(current, face);
    // A font made here is kept only where the picker's end can release it
    // (a picker of another thread is not hooked).
    if (font && font != previous) {
        if (WindowHook* hook = HookWindow(picker, kHookPicker)) {
            hook->calendarFont = font;
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
