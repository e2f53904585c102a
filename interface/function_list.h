// The extender's script functions, in table row order: number, name,
// argument count, text-argument mask (one nibble per argument), and
// whether a call may come inside a run of item changes whose drawing is
// held back (kJoinsRun: it changes or reads single items, and nothing it
// reads depends on drawing) or ends every such run first (kEndsRun).
// This list is the single source of the function table and of the
// dispatcher's jump table; each name is also its handler's name.
#pragma once

enum DrawingRunRole { kEndsRun, kJoinsRun };

#define TABULON_FUNCTIONS(X) \
    X(10, gzExtenderInfo, 1, 0x0, kEndsRun) \
    X(11, lvGetItemCount, 1, 0x0, kJoinsRun) \
    X(12, lvDeleteItem, 3, 0x0, kJoinsRun) \
    X(13, lvGetItemText, 3, 0x0, kJoinsRun) \
    X(14, lvInsertItem, 3, 0x100, kJoinsRun) \
    X(15, lvGetItemCountSel, 1, 0x0, kJoinsRun) \
    X(16, lvSetItemText, 4, 0x1000, kJoinsRun) \
    X(17, lvScrollTo, 3, 0x0, kEndsRun) \
    X(18, lvInsertColumn, 3, 0x100, kEndsRun) \
    X(19, lvSetColumnWidth, 3, 0x0, kEndsRun) \
    X(20, lvSetColumnFill, 3, 0x100, kEndsRun) \
    X(21, lvSetColumnFillSeq, 4, 0x0, kEndsRun) \
    X(22, lvSetItemState, 4, 0x0, kJoinsRun) \
    X(23, lvGetItemState, 3, 0x0, kJoinsRun) \
    X(24, lvSetItemCheck, 3, 0x1000, kJoinsRun) \
    X(25, lvGetItemCheck, 2, 0x1000, kJoinsRun) \
    X(26, lvSetBkImage, 5, 0x1000, kEndsRun) \
    X(27, lvSetItemImage, 4, 0x0, kJoinsRun) \
    X(28, lvSetImageList, 2, 0x0, kEndsRun) \
    X(29, lvClearImages, 1, 0x0, kEndsRun) \
    X(30, lvSetColumnImage, 4, 0x0, kEndsRun) \
    X(31, lvSetBkColor, 2, 0x10, kEndsRun) \
    X(32, lvSetItemTextColor, 5, 0x10000, kJoinsRun) \
    X(33, anCreateAVI, 6, 0x0, kEndsRun) \
    X(34, anPlayAVI, 4, 0x0, kEndsRun) \
    X(35, anStopAVI, 1, 0x0, kEndsRun) \
    X(36, anCloseAVI, 1, 0x0, kEndsRun) \
    X(37, anOpenAVI, 2, 0x10, kEndsRun) \
    X(377, wnTaskBar, 1, 0x0, kEndsRun) \
    X(40, dtCreateDateTime, 6, 0x0, kEndsRun) \
    X(41, dtFormatDateTime, 2, 0x10, kEndsRun) \
    X(42, dtRemoveDateTime, 1, 0x0, kEndsRun) \
    X(43, dtGetDateTime, 2, 0x0, kEndsRun) \
    X(44, dtSetDateTime, 2, 0x10, kEndsRun) \
    X(45, dtSetDateTimeColor, 5, 0x0, kEndsRun) \
    X(46, dtSetDateTimeFont, 2, 0x10, kEndsRun) \
    X(50, ilCreateImgList, 5, 0x0, kEndsRun) \
    X(51, ilAddImage, 4, 0x10, kEndsRun) \
    X(52, ilRemoveImage, 2, 0x0, kEndsRun) \
    X(53, ilDeleteImgList, 1, 0x0, kEndsRun) \
    X(55, gzShow, 2, 0x0, kEndsRun) \
    X(56, RemoveControl, 1, 0x0, kEndsRun) \
    X(57, RedrawControl, 2, 0x0, kEndsRun) \
    X(58, DCCompatible, 2, 0x0, kEndsRun) \
    X(60, taCreateTab, 6, 0x0, kEndsRun) \
    X(61, taAddTab, 3, 0x100, kEndsRun) \
    X(62, taDeleteTab, 2, 0x0, kEndsRun) \
    X(63, taGetTabSel, 1, 0x0, kEndsRun) \
    X(64, taSetTabSel, 2, 0x0, kEndsRun) \
    X(65, taSetTabStyle, 2, 0x0, kEndsRun) \
    X(66, taSetBkColor, 4, 0x0, kEndsRun) \
    X(70, sbCreateStatusBar, 2, 0x10, kEndsRun) \
    X(71, sbSetText, 3, 0x100, kEndsRun) \
    X(72, sbSetParts, 2, 0x10, kEndsRun) \
    X(73, sbSetBkColor, 2, 0x10, kEndsRun) \
    X(74, sbSetIcon, 3, 0x100, kEndsRun) \
    X(80, lbGetItemCount, 1, 0x0, kJoinsRun) \
    X(81, lbGetItemCountSel, 1, 0x0, kJoinsRun) \
    X(82, lbGetItemState, 2, 0x0, kJoinsRun) \
    X(83, lbSetItemState, 3, 0x0, kJoinsRun) \
    X(84, lbSetHScrollSize, 2, 0x0, kEndsRun) \
    X(85, lbSetItemHeight, 2, 0x0, kEndsRun) \
    X(86, lbGetItemHeight, 1, 0x0, kEndsRun) \
    X(87, lbDeleteItem, 3, 0x0, kJoinsRun) \
    X(88, lbGetItemSel, 1, 0x0, kJoinsRun) \
    X(90, ebSetLenLimit, 2, 0x0, kEndsRun) \
    X(91, ebGetModify, 1, 0x0, kEndsRun) \
    X(92, ebSetModify, 2, 0x0, kEndsRun) \
    X(93, pbSetMultiline, 2, 0x0, kEndsRun) \
    X(95, cbGetCurSel, 1, 0x0, kEndsRun) \
    X(96, cbSetCurSel, 2, 0x0, kEndsRun) \
    X(100, pgCreateProgressBar, 6, 0x0, kEndsRun) \
    X(101, pgSetColor, 3, 0x10, kEndsRun) \
    X(102, pgSetRange, 3, 0x0, kEndsRun) \
    X(103, pgSetPosition, 2, 0x0, kEndsRun) \
    X(104, pgSetStep, 2, 0x0, kEndsRun) \
    X(105, pgStep, 2, 0x0, kEndsRun) \
    X(106, pgSetState, 2, 0x0, kEndsRun) \
    X(110, ttCreateToolTip, 1, 0x0, kEndsRun) \
    X(111, ttAddToolTip, 3, 0x100, kEndsRun) \
    X(112, ttActivate, 2, 0x0, kEndsRun) \
    X(113, ttDeleteToolTip, 2, 0x0, kEndsRun) \
    X(114, ttSetDelay, 3, 0x0, kEndsRun) \
    X(115, ttSetColor, 3, 0x10, kEndsRun) \
    X(116, ttSetTitle, 3, 0x100, kEndsRun) \
    X(117, ttSetText, 3, 0x100, kEndsRun) \
    X(120, ipCreateIP, 6, 0x0, kEndsRun) \
    X(121, ipSetIP, 2, 0x10, kEndsRun) \
    X(122, ipGetIP, 1, 0x0, kEndsRun) \
    X(123, ipClearIP, 1, 0x0, kEndsRun) \
    X(124, ipSetFocus, 2, 0x0, kEndsRun) \
    X(125, ipIsBlank, 1, 0x0, kEndsRun) \
    X(126, ipSetRange, 4, 0x0, kEndsRun) \
    X(128, pbLeftAlign, 2, 0x0, kEndsRun) \
    X(130, trCreateTrackBar, 6, 0x0, kEndsRun) \
    X(131, trCLEARSEL, 1, 0x0, kEndsRun) \
    X(132, trCLEARTICS, 1, 0x0, kEndsRun) \
    X(133, trGETTRACKINFO, 2, 0x0, kEndsRun) \
    X(134, trSETBUDDY, 6, 0x110000, kEndsRun) \
    X(135, trREMOVEBUDDY, 1, 0x110000, kEndsRun) \
    X(136, trSETLINESIZE, 2, 0x10, kEndsRun) \
    X(137, trSETPAGESIZE, 2, 0x10, kEndsRun) \
    X(138, trSETPOS, 2, 0x10, kEndsRun) \
    X(141, trSETRANGEMAX, 2, 0x10, kEndsRun) \
    X(142, trSETRANGEMIN, 2, 0x10, kEndsRun) \
    X(144, trSETSELEND, 2, 0x10, kEndsRun) \
    X(145, trSETSELSTART, 2, 0x10, kEndsRun) \
    X(146, trSETTIC, 2, 0x10, kEndsRun) \
    X(147, trSETTICFREQ, 2, 0x10, kEndsRun) \
    X(148, trSETTIPSIDE, 2, 0x10, kEndsRun)
