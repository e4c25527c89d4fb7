#pragma once

#include <stdexcept>

// Raised by a chart when one change would put an axis's minimum above its
// maximum. The callers' guarded blocks catch it and skip the rest of the block.
class AxisRefused final : public std::runtime_error {
public:
    AxisRefused() : std::runtime_error("axis minimum above maximum") { }
};
