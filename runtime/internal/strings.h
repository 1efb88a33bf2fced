// The scratch buffer's set-up at start-up; the prologue and the tests call it.
#pragma once

#include "runtime/strings.h"

// Allocates the scratch buffer; returns 0 when the heap cannot give it.
int ScratchBufferInit(void);
