// The XKB protocol header, which names struct fields `explicit`, a C++
// keyword; they are renamed while it is read.
#pragma once

#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
