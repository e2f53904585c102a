// Not built yet: every function here answers like an unknown number.
#include "../interface/call.h"

TABULON_NOT_BUILT(dtCreateDateTime)
TABULON_NOT_BUILT(dtFormatDateTime)
TABULON_NOT_BUILT(dtRemoveDateTime)
TABULON_NOT_BUILT(dtGetDateTime)
TABULON_NOT_BUILT(dtSetDateTime)
TABULON_NOT_BUILT(dtSetDateTimeColor)
TABULON_NOT_BUILT(dtSetDateTimeFont)
