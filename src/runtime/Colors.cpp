// SPDX-License-Identifier: MIT
#include "Colors.h"

#include "RuntimeError.h"

namespace rt {

Rgb paletteColor(int n)
{
    if (n < 0 || n >= int(Palette.size()))
        raiseRuntimeError(ErrorCode::InvalidCall);
    return Palette[std::size_t(n)];
}

} // namespace rt
