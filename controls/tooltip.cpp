// Not built yet: every function here answers like an unknown number.
#include "../interface/call.h"

TABULON_NOT_BUILT(ttCreateToolTip)
TABULON_NOT_BUILT(ttAddToolTip)
TABULON_NOT_BUILT(ttActivate)
TABULON_NOT_BUILT(ttDeleteToolTip)
TABULON_NOT_BUILT(ttSetDelay)
TABULON_NOT_BUILT(ttSetColor)
TABULON_NOT_BUILT(ttSetTitle)
TABULON_NOT_BUILT(ttSetText)
