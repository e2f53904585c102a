// Not built yet: every function here answers like an unknown number.
#include "../interface/call.h"

TABULON_NOT_BUILT(wnTaskBar)
TABULON_NOT_BUILT(gzShow)
TABULON_NOT_BUILT(RemoveControl)
TABULON_NOT_BUILT(RedrawControl)
TABULON_NOT_BUILT(DCCompatible)
