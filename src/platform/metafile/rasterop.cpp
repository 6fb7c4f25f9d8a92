#include "platform/metafile/rasterop.h"

namespace lumora::wmf {

std::optional<RasterOp> rasterOp(quint32 rop, bool hasSource, bool rasterModes, bool blendModes) {
    // Bit P*4 + S*2 + D of the table is the result for pattern P, source S and
    // destination D.
    const unsigned table = (rop >> 16) & 0xFF;
    const bool usesPattern = ((table >> 4) & 0x0F) != (table & 0x0F);
    const bool usesSource = ((table >> 2) & 0x33) != (table & 0x33);
    if ((usesPattern && usesSource) || (usesSource && !hasSource))
        return std::nullopt;
    // The table of the one input X that is used, against the destination: bit X*2 + D.
    const int shift = usesSource ? 1 : 2;
    unsigned g = 0;
    for (unsigned x = 0; x < 2; ++x)
        for (unsigned d = 0; d < 2; ++d)
            g |= ((table >> ((x << shift) | d)) & 1) << (x * 2 + d);

    using Mode = QPainter::CompositionMode;
    const RasterOp::Input input = usesSource ? RasterOp::Input::Source : RasterOp::Input::Pattern;
    auto combine = [&](bool invert, Mode raster,
                       std::optional<Mode> blend = std::nullopt) -> std::optional<RasterOp> {
        if (rasterModes)
            return RasterOp{input, invert, raster};
        if (blend && blendModes)
            return RasterOp{input, invert, *blend};
        return std::nullopt;
    };
    switch (g) {
    case 0x0:
        return RasterOp{RasterOp::Input::Black};
    case 0xF:
        return RasterOp{RasterOp::Input::White};
    case 0xA:
        return RasterOp{RasterOp::Input::Nothing};
    case 0xC:
        return RasterOp{input};
    case 0x3:
        return RasterOp{input, true};
    case 0x5: // not D: anything drawn with the mode inverts
        if (rasterModes)
            return RasterOp{RasterOp::Input::White, false, QPainter::RasterOp_NotDestination};
        if (blendModes)
            return RasterOp{RasterOp::Input::White, false, QPainter::CompositionMode_Difference};
        return std::nullopt;
    case 0x6:
        return combine(false, QPainter::RasterOp_SourceXorDestination,
                       QPainter::CompositionMode_Difference);
    case 0x9:
        return combine(true, QPainter::RasterOp_SourceXorDestination,
                       QPainter::CompositionMode_Difference);
    case 0x8:
        return combine(false, QPainter::RasterOp_SourceAndDestination,
                       QPainter::CompositionMode_Multiply);
    case 0x2:
        return combine(true, QPainter::RasterOp_SourceAndDestination,
                       QPainter::CompositionMode_Multiply);
    case 0xE:
        return combine(false, QPainter::RasterOp_SourceOrDestination,
                       QPainter::CompositionMode_Lighten);
    case 0xB:
        return combine(true, QPainter::RasterOp_SourceOrDestination,
                       QPainter::CompositionMode_Lighten);
    case 0x4:
        return combine(false, QPainter::RasterOp_SourceAndNotDestination);
    case 0xD:
        return combine(false, QPainter::RasterOp_SourceOrNotDestination);
    case 0x1:
        return combine(false, QPainter::RasterOp_NotSourceAndNotDestination);
    default: // 0x7
        return combine(false, QPainter::RasterOp_NotSourceOrNotDestination);
    }
}

} // namespace lumora::wmf
