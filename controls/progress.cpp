// Not built yet: every function here answers like an unknown number.
#include "../interface/call.h"

TABULON_NOT_BUILT(pgCreateProgressBar)
TABULON_NOT_BUILT(pgSetColor)
TABULON_NOT_BUILT(pgSetRange)
TABULON_NOT_BUILT(pgSetPosition)
TABULON_NOT_BUILT(pgSetStep)
TABULON_NOT_BUILT(pgStep)
TABULON_NOT_BUILT(pgSetState)
