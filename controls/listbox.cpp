// Not built yet: every function here answers like an unknown number.
#include "../interface/call.h"

TABULON_NOT_BUILT(lbGetItemCount)
TABULON_NOT_BUILT(lbGetItemCountSel)
TABULON_NOT_BUILT(lbGetItemState)
TABULON_NOT_BUILT(lbSetItemState)
TABULON_NOT_BUILT(lbSetHScrollSize)
TABULON_NOT_BUILT(lbSetItemHeight)
TABULON_NOT_BUILT(lbGetItemHeight)
TABULON_NOT_BUILT(lbDeleteItem)
TABULON_NOT_BUILT(lbGetItemSel)
