// Not built yet: every function here answers like an unknown number.
#include "../interface/call.h"

TABULON_NOT_BUILT(lvGetItemCount)
TABULON_NOT_BUILT(lvDeleteItem)
TABULON_NOT_BUILT(lvGetItemText)
TABULON_NOT_BUILT(lvInsertItem)
TABULON_NOT_BUILT(lvGetItemCountSel)
TABULON_NOT_BUILT(lvSetItemText)
TABULON_NOT_BUILT(lvScrollTo)
