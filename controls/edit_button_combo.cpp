// Not built yet: every function here answers like an unknown number.
#include "../interface/call.h"

TABULON_NOT_BUILT(ebSetLenLimit)
TABULON_NOT_BUILT(ebGetModify)
TABULON_NOT_BUILT(ebSetModify)
TABULON_NOT_BUILT(pbSetMultiline)
TABULON_NOT_BUILT(cbGetCurSel)
TABULON_NOT_BUILT(cbSetCurSel)
TABULON_NOT_BUILT(pbLeftAlign)
