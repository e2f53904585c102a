// Not built yet: every function here answers like an unknown number.
#include "../interface/call.h"

TABULON_NOT_BUILT(taCreateTab)
TABULON_NOT_BUILT(taAddTab)
TABULON_NOT_BUILT(taDeleteTab)
TABULON_NOT_BUILT(taGetTabSel)
TABULON_NOT_BUILT(taSetTabSel)
TABULON_NOT_BUILT(taSetTabStyle)
TABULON_NOT_BUILT(taSetBkColor)
