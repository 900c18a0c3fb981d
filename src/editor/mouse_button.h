#pragma once

namespace kestrova {

enum class MouseButton { Left, Right, Middle };

}  // namespace kestrova
