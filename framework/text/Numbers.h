// Number parsing and conversion as the user's fields need them.
#pragma once

#include <cstdint>
#include <string>

// A decimal read as strtod reads it, or "&h", "&o", "&b" followed by digits of that base (32-bit, wrapping).
double Val(const std::string& s);
// Truncation toward zero; anything outside the 32-bit signed range gives -2,147,483,648.
int32_t Int(double x);
