// Not built yet: every function here answers like an unknown number.
#include "../interface/call.h"

TABULON_NOT_BUILT(sbCreateStatusBar)
TABULON_NOT_BUILT(sbSetText)
TABULON_NOT_BUILT(sbSetParts)
TABULON_NOT_BUILT(sbSetBkColor)
TABULON_NOT_BUILT(sbSetIcon)
