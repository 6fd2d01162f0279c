#pragma once

#include "support/Files.h"
#include "support/TempDir.h"

namespace tessarin::test {

// A throwaway home folder for a test: a fresh directory removed with everything in it.
using TempHome = TempDir;

} // namespace tessarin::test
