// Not built yet: every function here answers like an unknown number.
#include "../interface/call.h"

TABULON_NOT_BUILT(lvSetItemState)
TABULON_NOT_BUILT(lvGetItemState)
TABULON_NOT_BUILT(lvSetItemCheck)
TABULON_NOT_BUILT(lvGetItemCheck)
TABULON_NOT_BUILT(lvSetBkImage)
TABULON_NOT_BUILT(lvSetItemImage)
TABULON_NOT_BUILT(lvSetImageList)
TABULON_NOT_BUILT(lvClearImages)
