// The core tests link the runtime library without the start-up frame, which is where the
// runtime's state record normally lives.
#include "runtime/startup.h"

RuntimeState Runtime;
