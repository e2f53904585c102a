// Not built yet: every function here answers like an unknown number.
#include "../interface/call.h"

TABULON_NOT_BUILT(ipCreateIP)
TABULON_NOT_BUILT(ipSetIP)
TABULON_NOT_BUILT(ipGetIP)
TABULON_NOT_BUILT(ipClearIP)
TABULON_NOT_BUILT(ipSetFocus)
TABULON_NOT_BUILT(ipIsBlank)
TABULON_NOT_BUILT(ipSetRange)
