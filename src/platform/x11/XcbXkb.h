#pragma once

// The XKB extension's xcb header names a structure field `explicit`, which C++ reserves.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
