// The fixed-colour custom-draw answer: red text on grey for even rows,
// blue on white for odd rows, and for a caller that presents sub-item
// stages itself, white behind the first two sub-items. A pure function of
// its record, so the extender and its tests compile the same code.
#pragma once
#include <windows.h>
#include <commctrl.h>

inline LRESULT PaintCustomDrawColors(NMLVCUSTOMDRAW* draw) {
    const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
    const COLORREF kGrey = RGB(200, 200, 200), kWhite = RGB(255, 255, 255);
    switch (draw->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            if (draw->nmcd.dwItemSpec & 1) {
                draw->clrText = kBlue;
                draw->clrTextBk = kWhite;
            } else {
                draw->clrText = kRed;
                draw->clrTextBk = kGrey;
            }
            return CDRF_NEWFONT;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            if (draw->iSubItem == 0) {
                draw->clrText = kRed;
                draw->clrTextBk = kWhite;
                return CDRF_NEWFONT;
            }
            if (draw->iSubItem == 1) {
                draw->clrTextBk = kWhite;
                return CDRF_NEWFONT;
            }
            return CDRF_DODEFAULT;
        default:
            return CDRF_DODEFAULT;
    }
}
