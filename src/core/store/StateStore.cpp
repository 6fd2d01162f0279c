#include "store/StateStore.h"

namespace tessarin {

StoreError::StoreError(int64_t fileVersion) : std::runtime_error(newerText), fileVersion_(fileVersion) {}

void mutateConfig(StateStore& store, const std::function<void(Config&)>& change) {
    Config config = store.loadConfig();
    change(config);
    store.saveConfig(config);
}

} // namespace tessarin
