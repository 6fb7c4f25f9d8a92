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

MetafilePlayer::Outcome MetafilePlayer::setExtent(Params& p, bool window) {
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

MetafilePlayer::Outcome MetafilePlayer::scaleExtent(Params& p, bool window) {
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

MetafilePlayer::Outcome MetafilePlayer::clipRect(Params& p, bool exclude) {
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

MetafilePlayer::Outcome MetafilePlayer::play(quint16 function, Params& p) {
    charge(1);
    State& s = m_state;
    switch (function) {
    // state
    case fn::SaveDC:
        if (m_saved.size() >= MaxSavedStates)
            return Outcome::Ignored;
        m_saved.push_back(s);
        return Outcome::Played;
    case fn::RestoreDC: {
        const int n = p.s16();
        if (!p.ok())
            return Outcome::Damaged;
        // Negative counts back from the latest save; positive names a save from the first.
        const qint64 depth = static_cast<qint64>(m_saved.size());
        const qint64 keep = n < 0 ? depth + n : n - 1;
        if (n == 0 || keep < 0 || keep >= depth)
            return Outcome::Ignored;
        s = m_saved[static_cast<size_t>(keep)];
        m_saved.resize(static_cast<size_t>(keep));
        updateTransform();
        m_painter.setClipRegion(currentClip());
        return Outcome::Played;
    }
    case fn::SetMapMode: {
        const int mode = p.u16();
        if (!p.ok())
            return Outcome::Damaged;
        if (mode < MmText || mode > MmAnisotropic)
            return Outcome::Ignored;
        s.mapping.mode = mode;
        updateTransform();
        return Outcome::Played;
    }
    case fn::SetWindowOrg:
    case fn::SetViewportOrg:
    case fn::OffsetWindowOrg:
    case fn::OffsetViewportOrg: {
        const QPoint at = p.point();
        if (!p.ok())
            return Outcome::Damaged;
        const bool window = function == fn::SetWindowOrg || function == fn::OffsetWindowOrg;
        const bool offset = function == fn::OffsetWindowOrg || function == fn::OffsetViewportOrg;
        double& ox = window ? s.mapping.windowX : s.mapping.viewX;
        double& oy = window ? s.mapping.windowY : s.mapping.viewY;
        ox = offset ? ox + at.x() : at.x();
        oy = offset ? oy + at.y() : at.y();
        updateTransform();
        return Outcome::Played;
    }
    case fn::SetWindowExt:
    case fn::SetViewportExt:
        return setExtent(p, function == fn::SetWindowExt);
    case fn::ScaleWindowExt:
    case fn::ScaleViewportExt:
        return scaleExtent(p, function == fn::ScaleWindowExt);
    case fn::SetBkMode: {
        const int mode = p.u16();
        if (!p.ok())
            return Outcome::Damaged;
        if (mode != BkTransparent && mode != BkOpaque)
            return Outcome::Ignored;
        s.bkMode = mode;
        return Outcome::Played;
    }
    case fn::SetBkColor:
    case fn::SetTextColor: {
        const QColor c = colourRef(p.u32(), s.palette);
        if (!p.ok())
            return Outcome::Damaged;
        (function == fn::SetBkColor ? s.bkColour : s.textColour) = c;
        return Outcome::Played;
    }
    case fn::SetTextAlign:
        s.textAlign = p.u16();
        return p.ok() ? Outcome::Played : Outcome::Damaged;
    case fn::SetPolyFillMode:
        s.polyFillMode = p.u16();
        return p.ok() ? Outcome::Played : Outcome::Damaged;
    case fn::SetStretchBltMode:
        s.stretchMode = p.u16();
        return p.ok() ? Outcome::Played : Outcome::Damaged;
    case fn::SetTextCharExtra:
        s.charExtra = p.s16();
        return p.ok() ? Outcome::Played : Outcome::Damaged;
    case fn::SetRop2:
    case fn::SetRelAbs:
    case fn::SetMapperFlags:
    case fn::SetTextJustification:
    case fn::SetLayout:
    case fn::RealizePalette:
        return Outcome::Played; // nothing to change in how the picture is drawn
    case fn::MoveTo: {
        const QPoint at = p.point();
        if (!p.ok())
            return Outcome::Damaged;
        s.position = at;
        return Outcome::Played;
    }

    // objects
    case fn::CreatePenIndirect:
        return createPen(p);
    case fn::CreateBrushIndirect:
        return createBrush(p);
    case fn::CreateFontIndirect:
        return createFont(p);
    case fn::CreatePalette:
        return createPalette(p);
    case fn::CreateRegion:
        return createRegion(p);
    case fn::DibCreatePatternBrush:
        return createPatternBrush(p);
    case fn::CreatePatternBrush:
        addObject(Placeholder{});
        return Outcome::Skipped;
    case fn::SelectObject:
    case fn::DeleteObject:
    case fn::SelectPalette: {
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
        s.palette = palette->entries;
        return Outcome::Played;
    }
    case fn::SetPalEntries:
        return setPaletteEntries(p);
    case fn::ResizePalette: {
        const int n = p.u16();
        if (!p.ok())
            return Outcome::Damaged;
        s.palette.resize(static_cast<size_t>(std::min(n, MaxPaletteEntries)), qRgb(0, 0, 0));
        return Outcome::Played;
    }

    // clipping
    case fn::IntersectClipRect:
    case fn::ExcludeClipRect:
        return clipRect(p, function == fn::ExcludeClipRect);
    case fn::SelectClipRegion: {
        const int index = p.u16();
        if (!p.ok())
            return Outcome::Damaged;
        const Object* obj = object(index);
        const auto* region = obj ? std::get_if<RegionObj>(obj) : nullptr;
        // Anything but a region clears the clip, as selecting no region does.
        setClip(region ? std::optional<QRegion>(mapRegion(*region)) : std::nullopt);
        return Outcome::Played;
    }
    case fn::OffsetClipRgn: {
        const QPoint by = p.point();
        if (!p.ok())
            return Outcome::Damaged;
        if (s.clip) {
            const QPointF d(by.x() * m_map.ax, by.y() * m_map.ay);
            QRegion moved = s.clip->translated(static_cast<int>(std::clamp(d.x(), -1e9, 1e9)),
                                               static_cast<int>(std::clamp(d.y(), -1e9, 1e9)));
            setClip(moved);
        }
        return Outcome::Played;
    }

    // drawing
    case fn::LineTo: {
        const QPoint to = p.point();
        if (!p.ok())
            return Outcome::Damaged;
        charge(8);
        prepare(true, false);
        QPainterPath line(map(s.position.x(), s.position.y()));
        line.lineTo(map(to.x(), to.y()));
        drawShape(line, false);
        s.position = to;
        return Outcome::Played;
    }
    case fn::Polygon:
    case fn::Polyline:
        return drawPoly(p, function == fn::Polygon);
    case fn::PolyPolygon:
        return drawPolyPolygon(p);
    case fn::Rectangle:
    case fn::RoundRect:
    case fn::Ellipse:
        return drawRectLike(p, function);
    case fn::Arc:
    case fn::Pie:
    case fn::Chord:
        return drawArcLike(p, function);
    case fn::TextOut:
    case fn::ExtTextOut:
        return drawText(p, function == fn::ExtTextOut);
    case fn::SetPixel: {
        const QColor c = colourRef(p.u32(), s.palette);
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
    case fn::PatBlt: {
        const quint32 rop = p.u32();
        const Box box = p.extent();
        if (!p.ok())
            return Outcome::Damaged;
        return patBlt(rop, mapRect(box));
    }
    case fn::FillRegion: {
        const int region = p.u16();
        const int brushIndex = p.u16();
        if (!p.ok())
            return Outcome::Damaged;
        const Object* obj = object(brushIndex);
        const auto* b = obj ? std::get_if<BrushObj>(obj) : nullptr;
        if (!b)
            return Outcome::Ignored;
        const BrushObj current = s.brush;
        s.brush = *b;
        const QBrush fill = brush();
        s.brush = current;
        return fillRegion(region, fill);
    }
    case fn::PaintRegion: {
        const int region = p.u16();
        if (!p.ok())
            return Outcome::Damaged;
        return fillRegion(region, brush());
    }
    case fn::StretchDib:
    case fn::DibStretchBlt:
    case fn::DibBitBlt:
    case fn::SetDibToDev:
        return drawDib(p, function);
    case fn::BitBlt:
    case fn::StretchBlt: {
        // Device-dependent bitmaps are not drawn; the form without one draws its raster
        // operation on the brush alone.
        if (p.size() != qsizetype(function >> 8) * 2 + 2)
            return Outcome::Skipped;
        const quint32 rop = p.u32();
        if (function == fn::StretchBlt)
            p.take(8); // source size and place
        else
            p.take(4); // source place
        p.u16();
        const Box box = p.extent();
        if (!p.ok())
            return Outcome::Damaged;
        return patBlt(rop, mapRect(box));
    }

    // Escapes carry data for other programs; the rest cannot be drawn from the file
    // alone (flood fills read the screen) or are not drawn here.
    default:
        return Outcome::Skipped;
    }
}

} // namespace lumora
