// Untitled header.
#pragma once

namespace untitled {

} // namespace untitled
