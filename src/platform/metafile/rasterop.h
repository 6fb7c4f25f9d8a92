#pragma once
// The raster operations of the block-transfer records (PatBlt, BitBlt and the DIB
// records), in terms a QPainter can draw.
//
// A raster operation combines pattern (the brush), source (the bitmap) and
// destination bit by bit; its middle byte is the truth table. Those that combine
// at most one of pattern and source with the destination map to composition
// modes; the rest, and those that need raster modes on a device without them,
// are not drawn.

#include <QPainter>
#include <QtGlobal>
#include <optional>

namespace lumora::wmf {

struct RasterOp {
    enum class Input {
        Nothing, // the destination stays as it is
        Pattern,
        Source,
        Black,
        White,
    };
    Input input = Input::Nothing;
    bool invert = false; // the pattern or source is inverted before it is drawn
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
};

// How to draw `rop`, on a device with raster-operation modes (`rasterModes`) or
// only blend modes (`blendModes`); nothing when it cannot be drawn there, or needs a
// source that the record (`hasSource` false) does not have.
std::optional<RasterOp> rasterOp(quint32 rop, bool hasSource, bool rasterModes, bool blendModes);

} // namespace lumora::wmf
