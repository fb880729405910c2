// The colour values of the skin syntax, without the platform's types:
// CRenderEngine::ParseColor is this with a DWORD.
#pragma once

#include <cstdint>

namespace DuiLib {

// "#AARRGGBB", "0xAARRGGBB", "AARRGGBB", or "#RRGGBB" (opaque) as
// 0xAARRGGBB; blanks around are ignored. Anything else gives 0.
uint32_t ParseColorValue(const char* text);

}  // namespace DuiLib
