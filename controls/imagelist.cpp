// Not built yet: every function here answers like an unknown number.
#include "../interface/call.h"

TABULON_NOT_BUILT(ilCreateImgList)
TABULON_NOT_BUILT(ilAddImage)
TABULON_NOT_BUILT(ilRemoveImage)
TABULON_NOT_BUILT(ilDeleteImgList)
