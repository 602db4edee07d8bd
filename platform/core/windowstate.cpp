// The flags the window's helpers share, as one value with a change signal.
#include "platform/core/windowstate.h"
