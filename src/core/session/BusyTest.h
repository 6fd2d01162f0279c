#pragma once

#include "store/StateStore.h"

namespace tessarin {

// True while a switch runs or a switch journal waits to be finished. A journal that cannot be read
// counts as none.
bool switchInProgress(bool isSwapping, StateStore& store);

} // namespace tessarin
