// Status bars at the foot of a script's window: parts, texts, background
// colour, and the information icon.
#include <stdio.h>

#include "../interface/call.h"
#include "../interface/conversions.h"
#include "../interface/drawing_runs.h"
#include "../interface/visual_style.h"

#include <commctrl.h>  // needs windows.h, which call.h brings in

namespace {

// 0x0200 is no status-bar style; it stays so that the style reads as scripts
// have always seen it.
constexpr LONG kStatusStyle = WS_CHILD | WS_VISIBLE | SBARS_TOOLTIPS | 0x0200;
constexpr UINT kStatusIdentifier = 70;
// The most parts a status bar takes.
constexpr int kMostParts = 256;
constexpr WORD kInformationIcon = 32516;  // IDI_INFORMATION, as an ANSI resource id

WPARAM AsWParam(int32_t value) { return static_cast<WPARAM>(static_cast<intptr_t>(value)); }

int32_t WindowResult(HWND window) { return static_cast<int32_t>(reinterpret_cast<intptr_t>(window)); }

struct PartEdges {
    int edges[kMostParts];
    int count;
};

// Blank-separated decimal edges; pieces past the most a bar takes are
// dropped so that nothing lands beyond the array.
void ReadPartEdges(const char* text, PartEdges& parts) {
    parts.count = 0;
    const char* at = text;
    while (parts.count < kMostParts) {
        while (*at == ' ') ++at;
        if (!*at) break;
        // A piece ends at a blank, which also ends a number.
        parts.edges[parts.count++] = ParseDecimal(at);
        while (*at && *at != ' ') ++at;
    }
}

bool FileCanBeOpened(const char* name) {
    FILE* file = fopen(name, "r");
    if (!file) return false;
    fclose(file);
    return true;
}

}  // namespace

Completed sbCreateStatusBar(const Call& call) {
    HWND bar = CreateStatusWindowA(kStatusStyle, "", ArgWindow(call, 1), kStatusIdentifier);
    SendPointer(bar, SB_SETTEXTA, 0, ArgText(call, 2));
    return CompleteInt(call, WindowResult(bar));
}

// The low byte of the part names it; the bits above are drawing flags.
Completed sbSetText(const Call& call) {
    const int32_t part = static_cast<int32_t>(static_cast<uint32_t>(ArgInt(call, 2)) - 1u);
    HWND bar = ArgWindow(call, 1);
    PacePaints(bar);
    SendPointer(bar, SB_SETTEXTA, AsWParam(part), ArgText(call, 3));
    return CompleteInt(call, 1);
}

Completed sbSetParts(const Call& call) {
    PartEdges parts;
    ReadPartEdges(ArgText(call, 2), parts);
    SendPointer(ArgWindow(call, 1), SB_SETPARTS, static_cast<WPARAM>(parts.count), parts.edges);
    return CompleteInt(call, parts.count);
}

// A bar drawn with the style would ignore the colour: it draws classically.
Completed sbSetBkColor(const Call& call) {
    const uint32_t color = ParseColorTriplet(ArgText(call, 2));
    const LRESULT previous = SendColour(ArgWindow(call, 1), SB_SETBKCOLOR, 0, static_cast<LPARAM>(color));
    return CompleteInt(call, static_cast<int32_t>(previous));
}

// The file only has to be there; the icon is always the system's shared
// information icon, in the first part.
Completed sbSetIcon(const Call& call) {
    LRESULT set = 0;
    if (FileCanBeOpened(ArgText(call, 3))) {
        HANDLE icon = LoadImageA(nullptr, MAKEINTRESOURCEA(kInformationIcon), IMAGE_ICON, 0, 0, LR_SHARED);
        set = Send(ArgWindow(call, 1), SB_SETICON, 0, reinterpret_cast<LPARAM>(icon));
    } else {
        ShowMessage(call, "The specified file does not appear to be available", "File Open Error");
    }
    return CompleteInt(call, static_cast<int32_t>(set));
}
