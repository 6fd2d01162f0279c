#pragma once

#include "support/World.h"

namespace tessarin::test {

using ArchiveWorld = World;

} // namespace tessarin::test
