// Not built yet: every function here answers like an unknown number.
#include "../interface/call.h"

TABULON_NOT_BUILT(lvInsertColumn)
TABULON_NOT_BUILT(lvSetColumnWidth)
TABULON_NOT_BUILT(lvSetColumnFill)
TABULON_NOT_BUILT(lvSetColumnFillSeq)
TABULON_NOT_BUILT(lvSetColumnImage)
