// The extender's script functions, in table row order: number, name,
// argument count, text-argument mask (one nibble per argument), and what
// the call does to the windows its arguments name.
// This list is the single source of the function table and of the
// dispatcher's jump table; each name is also its handler's name.
#pragma once
#include <stdint.h>

// A role of a window argument. It tells the dispatcher which runs of item
// changes with drawing held back (drawing_runs.h) the call could disturb
// or depend on, and so must end first; every other run goes on. A call
// always ends the runs of the windows its window arguments lie in: held
// drawing there could hide them.
enum WindowRole : uint8_t {
    kNoWindow,    // not a window
    kJoinsRun,    // a list control whose single items the call changes or reads, inside its run
    kPacesPaint,  // a progress or status bar the call changes, whose paints its run paces
    kUpdates,     // a window whose pending painting is done, which draws nothing a run holds back
    kActsOn,      // a window the call changes, reads or destroys, with all that lies in it:
                  // ends its run and those of the windows in it
    kCreatesIn,   // a window the call creates a window in: ends its run
};

// The roles of arguments 1 and 2 (no function names a window after them).
constexpr uint8_t Windows(WindowRole first, WindowRole second = kNoWindow) {
    return static_cast<uint8_t>(first | second << 4);
}
constexpr WindowRole RoleOf(uint8_t windows, int argument) {
    return static_cast<WindowRole>(argument == 1 ? windows & 0xF : windows >> 4);
}
// A call on the whole screen, or one that lets the host's thread wait:
// ends every run. (Message boxes end every run wherever they are shown.)
constexpr uint8_t kEveryWindow = 0xFF;

#define TABULON_FUNCTIONS(X) \
    X(10, gzExtenderInfo, 1, 0x0, Windows(kNoWindow)) \
    X(11, lvGetItemCount, 1, 0x0, Windows(kJoinsRun)) \
    X(12, lvDeleteItem, 3, 0x0, Windows(kJoinsRun)) \
    X(13, lvGetItemText, 3, 0x0, Windows(kJoinsRun)) \
    X(14, lvInsertItem, 3, 0x100, Windows(kJoinsRun)) \
    X(15, lvGetItemCountSel, 1, 0x0, Windows(kJoinsRun)) \
    X(16, lvSetItemText, 4, 0x1000, Windows(kJoinsRun)) \
    X(17, lvScrollTo, 3, 0x0, Windows(kActsOn)) \
    X(18, lvInsertColumn, 3, 0x100, Windows(kActsOn)) \
    X(19, lvSetColumnWidth, 3, 0x0, Windows(kActsOn)) \
    X(20, lvSetColumnFill, 3, 0x100, Windows(kActsOn)) \
    X(21, lvSetColumnFillSeq, 4, 0x0, Windows(kActsOn)) \
    X(22, lvSetItemState, 4, 0x0, Windows(kJoinsRun)) \
    X(23, lvGetItemState, 3, 0x0, Windows(kJoinsRun)) \
    X(24, lvSetItemCheck, 3, 0x1000, Windows(kJoinsRun)) \
    X(25, lvGetItemCheck, 2, 0x1000, Windows(kJoinsRun)) \
    X(26, lvSetBkImage, 5, 0x1000, Windows(kActsOn)) \
    X(27, lvSetItemImage, 4, 0x0, Windows(kJoinsRun)) \
    X(28, lvSetImageList, 2, 0x0, Windows(kActsOn)) \
    X(29, lvClearImages, 1, 0x0, Windows(kActsOn)) \
    X(30, lvSetColumnImage, 4, 0x0, Windows(kActsOn)) \
    X(31, lvSetBkColor, 2, 0x10, Windows(kActsOn)) \
    X(32, lvSetItemTextColor, 5, 0x10000, Windows(kUpdates, kJoinsRun)) \
    X(33, anCreateAVI, 6, 0x0, Windows(kCreatesIn)) \
    X(34, anPlayAVI, 4, 0x0, Windows(kActsOn)) \
    X(35, anStopAVI, 1, 0x0, Windows(kActsOn)) \
    X(36, anCloseAVI, 1, 0x0, Windows(kActsOn)) \
    X(37, anOpenAVI, 2, 0x10, Windows(kActsOn)) \
    X(377, wnTaskBar, 1, 0x0, kEveryWindow) \
    X(40, dtCreateDateTime, 6, 0x0, Windows(kCreatesIn)) \
    X(41, dtFormatDateTime, 2, 0x10, Windows(kActsOn)) \
    X(42, dtRemoveDateTime, 1, 0x0, Windows(kActsOn)) \
    X(43, dtGetDateTime, 2, 0x0, Windows(kActsOn)) \
    X(44, dtSetDateTime, 2, 0x10, Windows(kActsOn)) \
    X(45, dtSetDateTimeColor, 5, 0x0, Windows(kActsOn)) \
    X(46, dtSetDateTimeFont, 2, 0x10, Windows(kActsOn)) \
    X(50, ilCreateImgList, 5, 0x0, Windows(kNoWindow)) \
    X(51, ilAddImage, 4, 0x10, Windows(kNoWindow)) \
    X(52, ilRemoveImage, 2, 0x0, Windows(kNoWindow)) \
    X(53, ilDeleteImgList, 1, 0x0, Windows(kNoWindow)) \
    X(55, gzShow, 2, 0x0, Windows(kActsOn)) \
    X(56, RemoveControl, 1, 0x0, Windows(kActsOn)) \
    X(57, RedrawControl, 2, 0x0, Windows(kActsOn)) \
    X(58, DCCompatible, 2, 0x0, Windows(kActsOn)) \
    X(60, taCreateTab, 6, 0x0, Windows(kCreatesIn)) \
    X(61, taAddTab, 3, 0x100, Windows(kActsOn)) \
    X(62, taDeleteTab, 2, 0x0, Windows(kActsOn)) \
    X(63, taGetTabSel, 1, 0x0, Windows(kActsOn)) \
    X(64, taSetTabSel, 2, 0x0, Windows(kActsOn)) \
    X(65, taSetTabStyle, 2, 0x0, Windows(kActsOn)) \
    X(66, taSetBkColor, 4, 0x0, Windows(kActsOn)) \
    X(70, sbCreateStatusBar, 2, 0x10, Windows(kCreatesIn)) \
    X(71, sbSetText, 3, 0x100, Windows(kPacesPaint)) \
    X(72, sbSetParts, 2, 0x10, Windows(kActsOn)) \
    X(73, sbSetBkColor, 2, 0x10, Windows(kActsOn)) \
    X(74, sbSetIcon, 3, 0x100, Windows(kActsOn)) \
    X(80, lbGetItemCount, 1, 0x0, Windows(kJoinsRun)) \
    X(81, lbGetItemCountSel, 1, 0x0, Windows(kJoinsRun)) \
    X(82, lbGetItemState, 2, 0x0, Windows(kJoinsRun)) \
    X(83, lbSetItemState, 3, 0x0, Windows(kJoinsRun)) \
    X(84, lbSetHScrollSize, 2, 0x0, Windows(kActsOn)) \
    X(85, lbSetItemHeight, 2, 0x0, Windows(kActsOn)) \
    X(86, lbGetItemHeight, 1, 0x0, Windows(kActsOn)) \
    X(87, lbDeleteItem, 3, 0x0, Windows(kJoinsRun)) \
    X(88, lbGetItemSel, 1, 0x0, Windows(kJoinsRun)) \
    X(90, ebSetLenLimit, 2, 0x0, Windows(kActsOn)) \
    X(91, ebGetModify, 1, 0x0, Windows(kActsOn)) \
    X(92, ebSetModify, 2, 0x0, Windows(kActsOn)) \
    X(93, pbSetMultiline, 2, 0x0, Windows(kActsOn)) \
    X(95, cbGetCurSel, 1, 0x0, Windows(kActsOn)) \
    X(96, cbSetCurSel, 2, 0x0, Windows(kActsOn)) \
    X(100, pgCreateProgressBar, 6, 0x0, Windows(kCreatesIn)) \
    X(101, pgSetColor, 3, 0x10, Windows(kActsOn)) \
    X(102, pgSetRange, 3, 0x0, Windows(kActsOn)) \
    X(103, pgSetPosition, 2, 0x0, Windows(kPacesPaint)) \
    X(104, pgSetStep, 2, 0x0, Windows(kActsOn)) \
    X(105, pgStep, 2, 0x0, Windows(kPacesPaint)) \
    X(106, pgSetState, 2, 0x0, Windows(kActsOn)) \
    X(110, ttCreateToolTip, 1, 0x0, Windows(kCreatesIn)) \
    X(111, ttAddToolTip, 3, 0x100, Windows(kActsOn, kActsOn)) \
    X(112, ttActivate, 2, 0x0, Windows(kActsOn)) \
    X(113, ttDeleteToolTip, 2, 0x0, Windows(kActsOn, kActsOn)) \
    X(114, ttSetDelay, 3, 0x0, Windows(kActsOn)) \
    X(115, ttSetColor, 3, 0x10, Windows(kActsOn)) \
    X(116, ttSetTitle, 3, 0x100, Windows(kActsOn)) \
    X(117, ttSetText, 3, 0x100, Windows(kActsOn, kActsOn)) \
    X(120, ipCreateIP, 6, 0x0, Windows(kCreatesIn)) \
    X(121, ipSetIP, 2, 0x10, Windows(kActsOn)) \
    X(122, ipGetIP, 1, 0x0, Windows(kActsOn)) \
    X(123, ipClearIP, 1, 0x0, Windows(kActsOn)) \
    X(124, ipSetFocus, 2, 0x0, Windows(kActsOn)) \
    X(125, ipIsBlank, 1, 0x0, Windows(kActsOn)) \
    X(126, ipSetRange, 4, 0x0, Windows(kActsOn)) \
    X(128, pbLeftAlign, 2, 0x0, Windows(kActsOn)) \
    X(130, trCreateTrackBar, 6, 0x0, Windows(kCreatesIn)) \
    X(131, trCLEARSEL, 1, 0x0, Windows(kActsOn)) \
    X(132, trCLEARTICS, 1, 0x0, Windows(kActsOn)) \
    X(133, trGETTRACKINFO, 2, 0x0, Windows(kActsOn)) \
    X(134, trSETBUDDY, 6, 0x110000, Windows(kCreatesIn, kActsOn)) \
    X(135, trREMOVEBUDDY, 1, 0x110000, Windows(kActsOn)) \
    X(136, trSETLINESIZE, 2, 0x10, Windows(kActsOn)) \
    X(137, trSETPAGESIZE, 2, 0x10, Windows(kActsOn)) \
    X(138, trSETPOS, 2, 0x10, Windows(kActsOn)) \
    X(141, trSETRANGEMAX, 2, 0x10, Windows(kActsOn)) \
    X(142, trSETRANGEMIN, 2, 0x10, Windows(kActsOn)) \
    X(144, trSETSELEND, 2, 0x10, Windows(kActsOn)) \
    X(145, trSETSELSTART, 2, 0x10, Windows(kActsOn)) \
    X(146, trSETTIC, 2, 0x10, Windows(kActsOn)) \
    X(147, trSETTICFREQ, 2, 0x10, Windows(kActsOn)) \
    X(148, trSETTIPSIDE, 2, 0x10, Windows(kActsOn))
