// The program-wide result of the last guarded step: 1 found or succeeded, 0 not.
// Callers read it right after a look-up or file call.
#pragma once
#include <stdint.h>

extern int32_t ResultFlag;

inline int32_t SetResult(int32_t ok) { ResultFlag = ok ? 1 : 0; return ResultFlag; }
