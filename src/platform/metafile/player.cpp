#include "platform/metafile/player.h"

#include "platform/metafile/clip.h"
#include "platform/metafile/dib.h"
#include "platform/metafile/records.h"

#include <QPaintEngine>

#include <algorithm>
#include <cmath>

namespace lumora {

using namespace wmf;

MetafilePlayer::MetafilePlayer(const Metafile& metafile, QPainter& painter, const QRectF& target)
    : m_file(metafile), m_painter(painter), m_target(target.normalized()) {
    const QRect box = m_file.m_bounds;
    Mapping& m = m_state.mapping;
    m.windowX = m.viewX = box.left();
    m.windowY = m.viewY = box.top();
    m.windowW = m.viewW = box.width();
    m.windowH = m.viewH = box.height();

    const QTransform device = painter.deviceTransform();
    m_deviceScale = std::sqrt(std::abs(device.determinant()));
    if (!std::isfinite(m_deviceScale) || m_deviceScale <= 0)
        m_deviceScale = 1;
    const QPaintEngine* engine = painter.paintEngine();
    m_rasterOps = engine && engine->hasFeature(QPaintEngine::RasterOpModes);
    m_blendModes = engine && engine->hasFeature(QPaintEngine::BlendModes);
    m_base = QRegion(pixelRect(m_target));
    if (painter.hasClipping())
        m_base &= painter.clipRegion();
    updateTransform();
}

PlayStats MetafilePlayer::run() {
    PlayStats stats;
    const QByteArray& bytes = m_file.m_bytes;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype size = bytes.size();
    if (m_target.isEmpty() || m_file.m_bounds.isEmpty())
        return stats;

    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setClipRegion(m_base);

    auto stop = [&stats](const QString& why) {
        stats.endedEarly = true;
        stats.endReason = why;
    };
    qsizetype pos = m_file.m_recordsStart;
    int records = 0;
    while (true) {
        if (pos == size)
            break; // the end record is missing, but no record is cut short
        if (size - pos < 6) {
            stop(QStringLiteral("a record header is cut short at byte %1").arg(pos));
            break;
        }
        if (++records > Metafile::MaxRecords) {
            stop(QStringLiteral("more than %1 records").arg(Metafile::MaxRecords));
            break;
        }
        const quint32 words = u32at(data + pos);
        const quint16 function = u16at(data + pos + 4);
        if (words < 3) {
            stop(QStringLiteral("a record of %1 words at byte %2").arg(words).arg(pos));
            break;
        }
        if (qint64(words) * 2 > size - pos) {
            stop(QStringLiteral("%1 at byte %2 runs past the end of the file")
                     .arg(metafileFunctionName(function))
                     .arg(pos));
            break;
        }
        if (function == fn::Eof) {
            ++stats.played;
            break;
        }
        Params params(data + pos + 6, qsizetype(words) * 2 - 6);
        const Outcome outcome = play(function, params);
        if (outcome == Outcome::Damaged || !params.ok()) {
            stop(QStringLiteral("%1 at byte %2 is damaged")
                     .arg(metafileFunctionName(function))
                     .arg(pos));
            break;
        }
        switch (outcome) {
        case Outcome::Played:
            ++stats.played;
            break;
        case Outcome::Skipped:
            ++stats.skipped[function];
            break;
        case Outcome::Ignored:
            ++stats.ignored;
            break;
        case Outcome::Damaged:
            break;
        }
        if (m_work > Metafile::MaxWork) {
            stop(QStringLiteral("the drawing is too large to finish"));
            break;
        }
        pos += qsizetype(words) * 2;
    }
    m_painter.restore();
    stats.texts = std::move(m_texts);
    return stats;
}

// ------------------------------------------------------------------- mapping

void MetafilePlayer::updateTransform() {
    m_map = mappingTransform(m_state.mapping, m_file.m_unitsPerInch, m_file.m_bounds, m_target);
}

QPointF MetafilePlayer::map(double x, double y) const {
    return {std::clamp(m_map.ax * x + m_map.bx, -CoordinateLimit, CoordinateLimit),
            std::clamp(m_map.ay * y + m_map.by, -CoordinateLimit, CoordinateLimit)};
}

QRectF MetafilePlayer::mapRect(double left, double top, double right, double bottom) const {
    return QRectF(map(left, top), map(right, bottom)).normalized();
}

MetafilePlayer::Outcome MetafilePlayer::setExtent(quint16 function, Params& p) {
    const bool window = function == fn::SetWindowExt;
    const double h = p.s16();
    const double w = p.s16();
    if (!p.ok())
        return Outcome::Damaged;
    if (w == 0 || h == 0)
        return Outcome::Ignored;
    Mapping& m = m_state.mapping;
    (window ? m.windowW : m.viewW) = w;
    (window ? m.windowH : m.viewH) = h;
    updateTransform();
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::scaleExtent(quint16 function, Params& p) {
    const bool window = function == fn::ScaleWindowExt;
    const double yDenom = p.s16(), yNum = p.s16(), xDenom = p.s16(), xNum = p.s16();
    if (!p.ok())
        return Outcome::Damaged;
    if (xDenom == 0 || yDenom == 0 || xNum == 0 || yNum == 0)
        return Outcome::Ignored;
    Mapping& m = m_state.mapping;
    double& w = window ? m.windowW : m.viewW;
    double& h = window ? m.windowH : m.viewH;
    const double nw = w * xNum / xDenom;
    const double nh = h * yNum / yDenom;
    if (std::abs(nw) < 1e-9 || std::abs(nh) < 1e-9 || std::abs(nw) > 1e12 || std::abs(nh) > 1e12)
        return Outcome::Ignored;
    w = nw;
    h = nh;
    updateTransform();
    return Outcome::Played;
}

// ------------------------------------------------------------------ clipping

void MetafilePlayer::setClip(std::optional<QRegion> clip) {
    m_state.clip = std::move(clip);
    if (m_state.clip)
        *m_state.clip &= m_base;
    m_painter.setClipRegion(currentClip());
}

MetafilePlayer::Outcome MetafilePlayer::clipRect(quint16 function, Params& p) {
    const bool exclude = function == fn::ExcludeClipRect;
    const Box box = p.box();
    if (!p.ok())
        return Outcome::Damaged;
    const QRect r = pixelRect(mapRect(box));
    QRegion clip = currentClip();
    charge(clip.rectCount());
    if (exclude) {
        const QRegion next = clip.subtracted(r);
        if (next.rectCount() > MaxClipRects)
            return Outcome::Ignored;
        clip = next;
    } else {
        clip &= r;
    }
    setClip(clip);
    return Outcome::Played;
}

QRegion MetafilePlayer::mapRegion(const RegionObj& region) {
    QRegion out;
    charge(qint64(region.rects.size()) * qint64(region.rects.size()) / 64);
    for (const QRect& r : region.rects)
        out += pixelRect(mapRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1));
    return out;
}

// ------------------------------------------------------------ the records

const MetafilePlayer::Handlers& MetafilePlayer::handlers() {
    using P = MetafilePlayer;
    static const Handlers table{
        // state
        {fn::SaveDC, &P::saveDC},
        {fn::RestoreDC, &P::restoreDC},
        {fn::SetMapMode, &P::setMapMode},
        {fn::SetWindowOrg, &P::moveOrigin},
        {fn::SetViewportOrg, &P::moveOrigin},
        {fn::OffsetWindowOrg, &P::moveOrigin},
        {fn::OffsetViewportOrg, &P::moveOrigin},
        {fn::SetWindowExt, &P::setExtent},
        {fn::SetViewportExt, &P::setExtent},
        {fn::ScaleWindowExt, &P::scaleExtent},
        {fn::ScaleViewportExt, &P::scaleExtent},
        {fn::SetBkMode, &P::setBkMode},
        {fn::SetBkColor, &P::setColour},
        {fn::SetTextColor, &P::setColour},
        {fn::SetTextAlign, &P::setMode},
        {fn::SetPolyFillMode, &P::setMode},
        {fn::SetStretchBltMode, &P::setMode},
        {fn::SetTextCharExtra, &P::setMode},
        {fn::SetRop2, &P::changesNothing},
        {fn::SetRelAbs, &P::changesNothing},
        {fn::SetMapperFlags, &P::changesNothing},
        {fn::SetTextJustification, &P::changesNothing},
        {fn::SetLayout, &P::changesNothing},
        {fn::RealizePalette, &P::changesNothing},
        {fn::MoveTo, &P::moveTo},
        // objects
        {fn::CreatePenIndirect, &P::createPen},
        {fn::CreateBrushIndirect, &P::createBrush},
        {fn::CreateFontIndirect, &P::createFont},
        {fn::CreatePalette, &P::createPalette},
        {fn::CreateRegion, &P::createRegion},
        {fn::DibCreatePatternBrush, &P::createPatternBrush},
        {fn::CreatePatternBrush, &P::createBitmapBrush},
        {fn::SelectObject, &P::useObject},
        {fn::DeleteObject, &P::useObject},
        {fn::SelectPalette, &P::useObject},
        {fn::SetPalEntries, &P::setPaletteEntries},
        {fn::ResizePalette, &P::resizePalette},
        // clipping
        {fn::IntersectClipRect, &P::clipRect},
        {fn::ExcludeClipRect, &P::clipRect},
        {fn::SelectClipRegion, &P::selectClipRegion},
        {fn::OffsetClipRgn, &P::offsetClipRegion},
        // drawing
        {fn::LineTo, &P::lineTo},
        {fn::Polygon, &P::drawPoly},
        {fn::Polyline, &P::drawPoly},
        {fn::PolyPolygon, &P::drawPolyPolygon},
        {fn::Rectangle, &P::drawRectLike},
        {fn::RoundRect, &P::drawRectLike},
        {fn::Ellipse, &P::drawRectLike},
        {fn::Arc, &P::drawArcLike},
        {fn::Pie, &P::drawArcLike},
        {fn::Chord, &P::drawArcLike},
        {fn::TextOut, &P::drawText},
        {fn::ExtTextOut, &P::drawText},
        {fn::SetPixel, &P::setPixel},
        {fn::PatBlt, &P::patBltRecord},
        {fn::FillRegion, &P::fillRegionRecord},
        {fn::PaintRegion, &P::fillRegionRecord},
        {fn::StretchDib, &P::drawDib},
        {fn::DibStretchBlt, &P::drawDib},
        {fn::DibBitBlt, &P::drawDib},
        {fn::SetDibToDev, &P::drawDib},
        {fn::BitBlt, &P::bitBlt},
        {fn::StretchBlt, &P::bitBlt},
    };
    return table;
}

MetafilePlayer::Outcome MetafilePlayer::play(quint16 function, Params& p) {
    charge(1);
    const auto it = handlers().find(function);
    // Escapes carry data for other programs; the rest cannot be drawn from the file
    // alone (flood fills read the screen) or are not drawn here.
    if (it == handlers().end())
        return Outcome::Skipped;
    return (this->*(it->second))(function, p);
}

MetafilePlayer::Outcome MetafilePlayer::saveDC(quint16, Params&) {
    if (m_saved.size() >= MaxSavedStates)
        return Outcome::Ignored;
    m_saved.push_back(m_state);
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::restoreDC(quint16, Params& p) {
    const int n = p.s16();
    if (!p.ok())
        return Outcome::Damaged;
    // Negative counts back from the latest save; positive names a save from the first.
    const qint64 depth = static_cast<qint64>(m_saved.size());
    const qint64 keep = n < 0 ? depth + n : n - 1;
    if (n == 0 || keep < 0 || keep >= depth)
        return Outcome::Ignored;
    m_state = m_saved[static_cast<size_t>(keep)];
    m_saved.resize(static_cast<size_t>(keep));
    updateTransform();
    m_painter.setClipRegion(currentClip());
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::setMapMode(quint16, Params& p) {
    const int mode = p.u16();
    if (!p.ok())
        return Outcome::Damaged;
    if (mode < MmText || mode > MmAnisotropic)
        return Outcome::Ignored;
    m_state.mapping.mode = mode;
    updateTransform();
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::moveOrigin(quint16 function, Params& p) {
    const QPoint at = p.point();
    if (!p.ok())
        return Outcome::Damaged;
    Mapping& m = m_state.mapping;
    const bool window = function == fn::SetWindowOrg || function == fn::OffsetWindowOrg;
    const bool offset = function == fn::OffsetWindowOrg || function == fn::OffsetViewportOrg;
    double& ox = window ? m.windowX : m.viewX;
    double& oy = window ? m.windowY : m.viewY;
    ox = offset ? ox + at.x() : at.x();
    oy = offset ? oy + at.y() : at.y();
    updateTransform();
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::setBkMode(quint16, Params& p) {
    const int mode = p.u16();
    if (!p.ok())
        return Outcome::Damaged;
    if (mode != BkTransparent && mode != BkOpaque)
        return Outcome::Ignored;
    m_state.bkMode = mode;
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::setColour(quint16 function, Params& p) {
    const QColor c = colourRef(p.u32(), m_state.palette);
    if (!p.ok())
        return Outcome::Damaged;
    (function == fn::SetBkColor ? m_state.bkColour : m_state.textColour) = c;
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::setMode(quint16 function, Params& p) {
    State& s = m_state;
    int& mode = function == fn::SetTextAlign        ? s.textAlign
                : function == fn::SetPolyFillMode   ? s.polyFillMode
                : function == fn::SetStretchBltMode ? s.stretchMode
                                                    : s.charExtra;
    mode = function == fn::SetTextCharExtra ? p.s16() : p.u16();
    return p.ok() ? Outcome::Played : Outcome::Damaged;
}

MetafilePlayer::Outcome MetafilePlayer::changesNothing(quint16, Params&) {
    return Outcome::Played; // nothing to change in how the picture is drawn
}

MetafilePlayer::Outcome MetafilePlayer::moveTo(quint16, Params& p) {
    const QPoint at = p.point();
    if (!p.ok())
        return Outcome::Damaged;
    m_state.position = at;
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::createBitmapBrush(quint16, Params&) {
    addObject(Placeholder{});
    return Outcome::Skipped;
}

MetafilePlayer::Outcome MetafilePlayer::useObject(quint16 function, Params& p) {
    const int index = p.u16();
    if (!p.ok())
        return Outcome::Damaged;
    if (function == fn::DeleteObject)
        return deleteObject(index);
    if (function == fn::SelectObject)
        return selectObject(index);
    const Object* obj = object(index);
    const auto* palette = obj ? std::get_if<PaletteObj>(obj) : nullptr;
    if (!palette)
        return Outcome::Ignored;
    m_state.palette = palette->entries;
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::resizePalette(quint16, Params& p) {
    const int n = p.u16();
    if (!p.ok())
        return Outcome::Damaged;
    m_state.palette.resize(static_cast<size_t>(std::min(n, MaxPaletteEntries)), qRgb(0, 0, 0));
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::selectClipRegion(quint16, Params& p) {
    const int index = p.u16();
    if (!p.ok())
        return Outcome::Damaged;
    const Object* obj = object(index);
    const auto* region = obj ? std::get_if<RegionObj>(obj) : nullptr;
    // Anything but a region clears the clip, as selecting no region does.
    setClip(region ? std::optional<QRegion>(mapRegion(*region)) : std::nullopt);
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::offsetClipRegion(quint16, Params& p) {
    const QPoint by = p.point();
    if (!p.ok())
        return Outcome::Damaged;
    if (m_state.clip) {
        const QPointF d(by.x() * m_map.ax, by.y() * m_map.ay);
        setClip(m_state.clip->translated(static_cast<int>(std::clamp(d.x(), -1e9, 1e9)),
                                         static_cast<int>(std::clamp(d.y(), -1e9, 1e9))));
    }
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::lineTo(quint16, Params& p) {
    const QPoint to = p.point();
    if (!p.ok())
        return Outcome::Damaged;
    charge(8);
    prepare(true, false);
    QPainterPath line(map(m_state.position.x(), m_state.position.y()));
    line.lineTo(map(to.x(), to.y()));
    drawShape(line, false);
    m_state.position = to;
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::setPixel(quint16, Params& p) {
    const QColor c = colourRef(p.u32(), m_state.palette);
    const QPoint pixel = p.point();
    if (!p.ok())
        return Outcome::Damaged;
    charge(8);
    const QPointF at = map(pixel.x(), pixel.y());
    const double w = std::max(scaleX(), 1 / m_deviceScale);
    const double h = std::max(scaleY(), 1 / m_deviceScale);
    m_painter.fillRect(QRectF(at, QSizeF(w, h)), c);
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::patBltRecord(quint16, Params& p) {
    const quint32 rop = p.u32();
    const Box box = p.extent();
    if (!p.ok())
        return Outcome::Damaged;
    return patBlt(rop, mapRect(box));
}

MetafilePlayer::Outcome MetafilePlayer::fillRegionRecord(quint16 function, Params& p) {
    const int region = p.u16();
    if (function == fn::PaintRegion)
        return p.ok() ? fillRegion(region, brush()) : Outcome::Damaged;
    const int brushIndex = p.u16();
    if (!p.ok())
        return Outcome::Damaged;
    const Object* obj = object(brushIndex);
    const auto* b = obj ? std::get_if<BrushObj>(obj) : nullptr;
    if (!b)
        return Outcome::Ignored;
    const BrushObj current = m_state.brush;
    m_state.brush = *b;
    const QBrush fill = brush();
    m_state.brush = current;
    return fillRegion(region, fill);
}

MetafilePlayer::Outcome MetafilePlayer::bitBlt(quint16 function, Params& p) {
    // Device-dependent bitmaps are not drawn; the form without one draws its raster
    // operation on the brush alone.
    if (p.size() != qsizetype(function >> 8) * 2 + 2)
        return Outcome::Skipped;
    const quint32 rop = p.u32();
    p.take(function == fn::StretchBlt ? 8 : 4); // the source's size and place, or place
    p.u16();
    const Box box = p.extent();
    if (!p.ok())
        return Outcome::Damaged;
    return patBlt(rop, mapRect(box));
}

} // namespace lumora
