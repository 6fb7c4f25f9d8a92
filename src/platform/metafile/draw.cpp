#include "platform/metafile/player.h"

#include "platform/metafile/clip.h"
#include "platform/metafile/dib.h"
#include "platform/metafile/records.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace lumora {

using namespace wmf;

QPen MetafilePlayer::pen() const {
    const PenObj& p = m_state.pen;
    const int style = p.style & 0x0F;
    if (style == PsNull)
        return Qt::NoPen;
    QPen qp(p.colour);
    double width = p.width * scaleX();
    // A pen narrower than a pixel still draws one pixel, as width 0 does; only such
    // hairlines are dashed, wider pens are solid whatever their style.
    const bool hairline = width * m_deviceScale < 1.5;
    const double limit = 4 * (m_target.width() + m_target.height());
    qp.setWidthF(hairline ? 0 : std::min(width, limit));
    // By the style's low bits; those that draw no dashes draw solid.
    static constexpr Qt::PenStyle dashes[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                              Qt::DashDotLine, Qt::DashDotDotLine, Qt::SolidLine,
                                              Qt::SolidLine,   Qt::SolidLine,      Qt::DotLine};
    if (hairline && style < int(std::size(dashes)))
        qp.setStyle(dashes[style]);
    // The end caps by the style's third digit, the joins by its fourth: round unless
    // the file asks for another.
    static constexpr Qt::PenCapStyle caps[] = {Qt::RoundCap, Qt::SquareCap, Qt::FlatCap};
    static constexpr Qt::PenJoinStyle joins[] = {Qt::RoundJoin, Qt::BevelJoin, Qt::MiterJoin};
    const int cap = (p.style >> 8) & 0x0F, join = (p.style >> 12) & 0x0F;
    qp.setCapStyle(cap < 3 ? caps[cap] : Qt::RoundCap);
    qp.setJoinStyle(join < 3 ? joins[join] : Qt::RoundJoin);
    return qp;
}

QBrush MetafilePlayer::brush(bool inverted) const {
    const BrushObj& b = m_state.brush;
    auto colour = [inverted](QColor c) {
        return inverted ? QColor(255 - c.red(), 255 - c.green(), 255 - c.blue()) : c;
    };
    switch (b.style) {
    case BsNull:
        return Qt::NoBrush;
    case BsHatched: {
        static constexpr std::array<Qt::BrushStyle, 6> hatches = {
            Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
            Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(colour(b.colour),
                      b.hatch >= 0 && b.hatch < 6 ? hatches[b.hatch] : Qt::SolidPattern);
    }
    case BsSolid:
        return QBrush(colour(b.colour));
    default: {
        if (b.pattern.isNull())
            return QBrush(colour(b.colour));
        QImage tile = b.pattern;
        if (b.mono)
            tile.setColorTable({colour(m_state.textColour).rgb(), colour(m_state.bkColour).rgb()});
        else if (inverted)
            tile.invertPixels();
        return QBrush(tile);
    }
    }
}

void MetafilePlayer::prepare(bool stroke, bool fill) {
    m_painter.setPen(stroke ? pen() : QPen(Qt::NoPen));
    m_painter.setBrush(fill ? brush() : QBrush(Qt::NoBrush));
    m_painter.setBackgroundMode(m_state.bkMode == BkOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
    m_painter.setBackground(m_state.bkColour);
}

void MetafilePlayer::drawShape(const QPainterPath& path, bool closed) {
    if (m_base.isEmpty())
        return;
    // Qt rasterises a shape over its whole extent, so one that reaches far past the
    // target (a file can make a unit millions of pixels) is first cut down to a box
    // around it, wide enough that the cut edges and their outline never show.
    const QPen& pen = m_painter.pen();
    const double pad = (pen.style() == Qt::NoPen ? 0 : pen.widthF()) + 4 / m_deviceScale;
    const QRectF box = QRectF(m_base.boundingRect()).adjusted(-pad, -pad, pad, pad);
    const QRectF bounds = path.controlPointRect();
    const double reach = std::max(box.width(), box.height());
    if (box.adjusted(-reach, -reach, reach, reach).contains(bounds)) {
        drawSealed(path, closed);
        return;
    }
    // Curves are flattened where the shape is at most a million units across, so the
    // pieces stay few, then each piece is cut.
    const double size = std::max(bounds.width(), bounds.height());
    const double k = size > 1e6 ? 1e6 / size : 1;
    QPainterPath cut;
    cut.setFillRule(path.fillRule());
    for (QPolygonF piece : path.toSubpathPolygons(QTransform::fromScale(k, k))) {
        for (QPointF& pt : piece)
            pt /= k;
        charge(piece.size() / 16);
        if (closed) {
            const QPolygonF inside = clipPolygon(piece, box);
            if (inside.size() >= 2) {
                cut.addPolygon(inside);
                cut.closeSubpath();
            }
        } else {
            for (const QPolygonF& run : clipPolyline(piece, box))
                cut.addPolygon(run);
        }
    }
    drawSealed(cut, closed);
}

void MetafilePlayer::drawSealed(const QPainterPath& path, bool closed) {
    // Shapes that abut, such as the bands of a gradient, would each fade out along
    // the shared edge and let a light seam through. A solid fill without an outline
    // is first filled by the fill rule of the format's own graphics system, every
    // pixel whose centre lies inside, so that shapes sharing an edge meet with
    // neither gap nor overlap; the smooth fill over it only adds to the pixels of
    // its outer edge, and the fill keeps its drawn width.
    const QBrush& fill = m_painter.brush();
    if (closed && m_painter.pen().style() == Qt::NoPen && fill.style() == Qt::SolidPattern &&
        fill.color().alpha() == 255) {
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.drawPath(path);
        m_painter.setRenderHint(QPainter::Antialiasing, true);
    }
    m_painter.drawPath(path);
}

QPolygonF MetafilePlayer::readPoints(Params& p, int count) const {
    QPolygonF polygon;
    polygon.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int x = p.s16(); // x comes first in the record
        const int y = p.s16();
        polygon << map(x, y);
    }
    return polygon;
}

QPainterPath MetafilePlayer::polyPath() const {
    QPainterPath path;
    path.setFillRule(m_state.polyFillMode == Winding ? Qt::WindingFill : Qt::OddEvenFill);
    return path;
}

MetafilePlayer::Outcome MetafilePlayer::drawPoly(quint16 function, Params& p) {
    const bool closed = function == fn::Polygon;
    const int count = p.s16();
    if (count < 0)
        return Outcome::Damaged;
    if (!p.has(qint64(count) * 4))
        return Outcome::Damaged;
    const QPolygonF polygon = readPoints(p, count);
    charge(8 + count / 16);
    if (count < 2)
        return Outcome::Played;
    QPainterPath path = polyPath();
    path.addPolygon(polygon);
    if (closed)
        path.closeSubpath();
    prepare(true, closed);
    drawShape(path, closed);
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::drawPolyPolygon(quint16, Params& p) {
    const int polygons = p.u16();
    std::vector<int> counts(static_cast<size_t>(polygons));
    qint64 total = 0;
    for (int& c : counts) {
        c = p.u16();
        total += c;
    }
    if (!p.ok() || !p.has(total * 4))
        return Outcome::Damaged;
    QPainterPath path = polyPath();
    for (int c : counts) {
        const QPolygonF polygon = readPoints(p, c);
        if (c >= 2) {
            path.addPolygon(polygon);
            path.closeSubpath();
        }
    }
    charge(8 + total / 16 + polygons);
    prepare(true, true);
    drawShape(path, true);
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::drawRectLike(quint16 function, Params& p) {
    int cornerH = 0, cornerW = 0;
    if (function == fn::RoundRect) {
        cornerH = p.s16();
        cornerW = p.s16();
    }
    const Box box = p.box();
    if (!p.ok())
        return Outcome::Damaged;
    charge(8);
    QRectF r = mapRect(box);
    if (r.isEmpty())
        return Outcome::Played;
    if ((m_state.pen.style & 0x0F) == PsInsideFrame) {
        const double half =
            std::min(m_state.pen.width * scaleX(), std::min(r.width(), r.height())) / 2;
        r.adjust(half, half, -half, -half);
    }
    QPainterPath path;
    if (function == fn::Ellipse) {
        path.addEllipse(r);
    } else if (function == fn::RoundRect) {
        const double rx = std::min(std::abs(cornerW) * scaleX(), r.width()) / 2;
        const double ry = std::min(std::abs(cornerH) * scaleY(), r.height()) / 2;
        path.addRoundedRect(r, rx, ry, Qt::AbsoluteSize);
    } else {
        path.addRect(r);
    }
    prepare(true, true);
    drawShape(path, true);
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::drawArcLike(quint16 function, Params& p) {
    const QPoint end = p.point();
    const QPoint start = p.point();
    const Box box = p.box();
    if (!p.ok())
        return Outcome::Damaged;
    charge(8);
    const QRectF r = mapRect(box);
    if (r.width() <= 0 || r.height() <= 0)
        return Outcome::Played;
    // The arc runs counter-clockwise as seen, from the ray through the start point to
    // the ray through the end point; angles are those of the ellipse's parameter.
    const QPointF c = r.center();
    auto angle = [&](QPointF pt) {
        return std::atan2(-(pt.y() - c.y()) / r.height(), (pt.x() - c.x()) / r.width()) * 180 /
               std::numbers::pi;
    };
    const double a0 = angle(map(start.x(), start.y()));
    double sweep = angle(map(end.x(), end.y())) - a0;
    while (sweep <= 0)
        sweep += 360;
    QPainterPath path;
    if (function == fn::Pie) {
        path.moveTo(c);
        path.arcTo(r, a0, sweep);
        path.closeSubpath();
    } else {
        path.arcMoveTo(r, a0);
        path.arcTo(r, a0, sweep);
        if (function == fn::Chord)
            path.closeSubpath();
    }
    prepare(true, function != fn::Arc);
    drawShape(path, function != fn::Arc);
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::fillRegion(int regionIndex, const QBrush& fill) {
    const Object* obj = object(regionIndex);
    const auto* region = obj ? std::get_if<RegionObj>(obj) : nullptr;
    if (!region)
        return Outcome::Ignored;
    const QRegion mapped = mapRegion(*region);
    charge(8 + mapped.rectCount());
    m_painter.save();
    m_painter.setClipRegion(mapped & currentClip());
    m_painter.fillRect(mapped.boundingRect(), fill);
    m_painter.restore();
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::patBlt(quint32 rop, const QRectF& rect) {
    charge(8);
    const auto op = wmf::rasterOp(rop, false, m_rasterOps, m_blendModes);
    if (!op)
        return Outcome::Skipped;
    if (rect.isEmpty() || op->input == RasterOp::Input::Nothing)
        return Outcome::Played;
    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    m_painter.setCompositionMode(op->mode);
    switch (op->input) {
    case RasterOp::Input::Black:
        m_painter.fillRect(rect, Qt::black);
        break;
    case RasterOp::Input::White:
        m_painter.fillRect(rect, Qt::white);
        break;
    default:
        m_painter.fillRect(rect, brush(op->invert));
        break;
    }
    m_painter.restore();
    return Outcome::Played;
}

void MetafilePlayer::drawImage(const QImage& image, QRectF source, const QRectF& dest,
                               const RasterOp& op) {
    source &= QRectF(image.rect());
    if (source.isEmpty() || dest.isEmpty())
        return;
    m_painter.save();
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform,
                            m_state.stretchMode == StretchHalftone);
    m_painter.setCompositionMode(op.mode);
    QImage picture = image;
    if (op.invert)
        picture.invertPixels();
    m_painter.drawImage(dest, picture, source);
    m_painter.restore();
}

MetafilePlayer::Outcome MetafilePlayer::drawDib(quint16 function, Params& p) {
    // The fixed part of each record, then the bitmap. A record exactly as long as its
    // fixed part (the function's high byte counts its words) has no bitmap and paints
    // with the brush instead.
    const bool noBitmap = p.size() == qsizetype(function >> 8) * 2;
    quint32 rop = 0x00CC0020; // the source as it is
    int usage = 0;
    Box src, to;
    // The forms that do not stretch give only the source's corner.
    auto unstretched = [&p, &to](QPoint corner) {
        to = p.extent();
        return Box{corner.x(), corner.y(), corner.x() + to.right - to.left,
                   corner.y() + to.bottom - to.top};
    };
    switch (function) {
    case fn::StretchDib:
        rop = p.u32();
        usage = p.u16();
        src = p.extent();
        to = p.extent();
        break;
    case fn::DibStretchBlt:
        rop = p.u32();
        src = p.extent();
        if (noBitmap)
            p.u16();
        to = p.extent();
        break;
    case fn::DibBitBlt: {
        rop = p.u32();
        const QPoint corner = p.point();
        if (noBitmap)
            p.u16();
        src = unstretched(corner);
        break;
    }
    case fn::SetDibToDev:
        usage = p.u16();
        p.u16(); // scan count
        p.u16(); // first scan
        src = unstretched(p.point());
        break;
    default:
        return Outcome::Skipped;
    }
    if (!p.ok())
        return Outcome::Damaged;
    const QRectF dest = mapRect(to);
    if (noBitmap && function != fn::StretchDib && function != fn::SetDibToDev)
        return patBlt(rop, dest);
    const auto op = wmf::rasterOp(rop, true, m_rasterOps, m_blendModes);
    if (!op)
        return Outcome::Skipped;
    if (op->input != RasterOp::Input::Source)
        return patBlt(rop, dest); // the bitmap plays no part

    QImage image;
    charge(8 + p.remaining() / 64);
    bool topDown = false;
    const Decode result =
        decodeDib(p.rest(), p.remaining(), usage, m_state.palette, image, topDown);
    if (result == Decode::Damaged)
        return Outcome::Damaged;
    if (result == Decode::Unsupported)
        return Outcome::Skipped;
    p.take(p.remaining());
    // Source rows count from the first row stored, the bottom one unless the bitmap
    // is stored top down.
    const int srcH = src.bottom - src.top;
    const QRectF source(src.left, topDown ? src.top : image.height() - src.top - srcH,
                        src.right - src.left, srcH);
    drawImage(image, source.normalized(), dest, *op);
    return Outcome::Played;
}

} // namespace lumora
