// Not built yet: every function here answers like an unknown number.
#include "../interface/call.h"

TABULON_NOT_BUILT(lvSetBkColor)
TABULON_NOT_BUILT(lvSetItemTextColor)
