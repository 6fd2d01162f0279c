#include "session/BusyTest.h"

namespace tessarin {

bool switchInProgress(bool isSwapping, StateStore& store) {
    if (isSwapping)
        return true;
    try {
        return store.loadJournal().has_value();
    } catch (...) {
        return false;
    }
}

} // namespace tessarin
