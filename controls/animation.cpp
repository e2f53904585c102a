// Not built yet: every function here answers like an unknown number.
#include "../interface/call.h"

TABULON_NOT_BUILT(anCreateAVI)
TABULON_NOT_BUILT(anPlayAVI)
TABULON_NOT_BUILT(anStopAVI)
TABULON_NOT_BUILT(anCloseAVI)
TABULON_NOT_BUILT(anOpenAVI)
