// Saves ever newer versions of a large document into one config.json until it is killed.
// Writes one byte to stdout after the first complete save so the parent knows it is running.
#include "store/FileStateStore.h"
#include "support/SampleDocuments.h"

#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    tessarin::FileStateStore store(argv[1], std::string(argv[1]) + ".journal");
    for (int version = 0;; ++version) {
        store.saveConfig(tessarin::test::largeDocument(version));
        if (version == 0 && ::write(1, "r", 1) != 1)
            return 3;
    }
}
