#pragma once

#include "render/plot_mapping.h"

#include <span>
#include <utility>

namespace ovilan {

// One visible straight piece of a traced curve, already clipped to the plot, from one device
// position to another, unrounded. A piece that starts on the rounded end of the piece before it
// continues that one; the dash pattern runs on across all pieces of a curve.
struct CurvePiece {
    DevicePosition from;
    DevicePosition to;

    bool operator==(const CurvePiece&) const = default;
};

// The pieces of one curve, handed over in order a batch at a time, so a curve of any length is
// drawn without a buffer of its length. Each piece is handed over once.
class CurvePieces {
public:
    virtual ~CurvePieces() = default;
    // The next batch of pieces; empty once every piece has been handed over.
    virtual std::span<const CurvePiece> next() = 0;

protected:
    CurvePieces() = default;
    CurvePieces(const CurvePieces&) = default;
    CurvePieces& operator=(const CurvePieces&) = default;
};

// Pieces already at hand, handed over as one batch.
class CurvePieceList final : public CurvePieces {
public:
    explicit CurvePieceList(std::span<const CurvePiece> pieces)
        : pieces_(pieces)
    {
    }

    std::span<const CurvePiece> next() override { return std::exchange(pieces_, {}); }

private:
    std::span<const CurvePiece> pieces_;
};

} // namespace ovilan
