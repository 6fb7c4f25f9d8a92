#include "platform/metafile/player.h"

#include "platform/codepage.h"
#include "platform/metafile/dib.h"

#include <algorithm>

namespace lumora {

using namespace wmf;

MetafilePlayer::Outcome MetafilePlayer::addObject(Object obj) {
    return m_objects.add(std::move(obj)) ? Outcome::Played : Outcome::Ignored;
}

MetafilePlayer::Outcome MetafilePlayer::selectObject(int index) {
    const Object* obj = object(index);
    if (!obj)
        return Outcome::Ignored;
    if (const auto* pen = std::get_if<PenObj>(obj))
        m_state.pen = *pen;
    else if (const auto* b = std::get_if<BrushObj>(obj))
        m_state.brush = *b;
    else if (const auto* font = std::get_if<FontObj>(obj))
        m_state.font = *font;
    else if (const auto* region = std::get_if<RegionObj>(obj))
        setClip(mapRegion(*region));
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::deleteObject(int index) {
    // What is selected stays in use: the state holds its own copy.
    return m_objects.remove(index) ? Outcome::Played : Outcome::Ignored;
}

MetafilePlayer::Outcome MetafilePlayer::createPen(quint16, Params& p) {
    PenObj pen;
    pen.style = p.u16();
    pen.width = p.s16();
    p.s16(); // the unused height of the width
    pen.colour = colourRef(p.u32(), m_state.palette);
    if (!p.ok())
        return Outcome::Damaged;
    pen.width = std::abs(pen.width);
    return addObject(pen);
}

MetafilePlayer::Outcome MetafilePlayer::createBrush(quint16, Params& p) {
    BrushObj b;
    b.style = p.u16();
    b.colour = colourRef(p.u32(), m_state.palette);
    b.hatch = p.u16();
    if (!p.ok())
        return Outcome::Damaged;
    if (b.style == BsPattern || b.style > 6)
        b.style = BsSolid; // a pattern needs a bitmap this record cannot hold
    return addObject(b);
}

MetafilePlayer::Outcome MetafilePlayer::createPatternBrush(quint16, Params& p) {
    const int style = p.u16();
    const int usage = p.u16();
    if (!p.ok())
        return Outcome::Damaged;
    // A BS_PATTERN brush holds explicit colours; a two-colour one takes the text and
    // background colours where it is used.
    BrushObj b;
    b.style = BsPattern;
    b.mono = style == BsPattern;
    charge(p.remaining() / 64);
    bool topDown = false;
    const Decode result = decodeDib(p.rest(), p.remaining(), b.mono ? 0 : usage, m_state.palette,
                                    b.pattern, topDown, b.mono);
    b.mono = b.mono && b.pattern.format() == QImage::Format_Mono;
    if (result == Decode::Damaged)
        return Outcome::Damaged;
    if (result == Decode::Unsupported) {
        addObject(Placeholder{});
        return Outcome::Skipped;
    }
    return addObject(std::move(b));
}

MetafilePlayer::Outcome MetafilePlayer::createFont(quint16, Params& p) {
    FontObj font;
    font.height = p.s16();
    font.width = p.s16();
    font.escapement = p.s16();
    p.s16(); // orientation: each glyph turns with the line
    font.weight = p.s16();
    font.italic = p.u8() != 0;
    font.underline = p.u8() != 0;
    font.strikeOut = p.u8() != 0;
    font.charset = p.u8();
    p.u8(); // out precision
    p.u8(); // clip precision
    p.u8(); // quality
    font.pitchAndFamily = p.u8();
    if (!p.ok())
        return Outcome::Damaged;
    // The face name fills up to 32 bytes; writers often store it shorter.
    const qsizetype n = std::min<qsizetype>(32, p.remaining());
    QByteArray face(reinterpret_cast<const char*>(p.take(n)), n);
    const qsizetype nul = face.indexOf('\0');
    if (nul >= 0)
        face.truncate(nul);
    font.face = cp1252::decode(face).trimmed();
    return addObject(font);
}

MetafilePlayer::Outcome MetafilePlayer::createPalette(quint16, Params& p) {
    p.u16(); // start: the version of the palette
    const int count = p.u16();
    const uchar* entries = p.take(qint64(count) * 4);
    if (!entries)
        return Outcome::Damaged;
    PaletteObj palette;
    palette.entries.reserve(static_cast<size_t>(std::min(count, MaxPaletteEntries)));
    for (int i = 0; i < std::min(count, MaxPaletteEntries); ++i)
        palette.entries.push_back(qRgb(entries[4 * i], entries[4 * i + 1], entries[4 * i + 2]));
    return addObject(std::move(palette));
}

MetafilePlayer::Outcome MetafilePlayer::setPaletteEntries(quint16, Params& p) {
    const int start = p.u16();
    const int count = p.u16();
    const uchar* entries = p.take(qint64(count) * 4);
    if (!entries)
        return Outcome::Damaged;
    std::vector<QRgb>& palette = m_state.palette;
    for (int i = 0; i < count && start + i < MaxPaletteEntries; ++i) {
        if (static_cast<size_t>(start + i) >= palette.size())
            palette.resize(static_cast<size_t>(start + i) + 1, qRgb(0, 0, 0));
        palette[static_cast<size_t>(start + i)] =
            qRgb(entries[4 * i], entries[4 * i + 1], entries[4 * i + 2]);
    }
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::createRegion(quint16, Params& p) {
    p.u16(); // next in chain
    p.u16(); // object type
    p.u32(); // object count
    p.u16(); // region size
    const int scans = p.u16();
    p.u16(); // longest scan
    const int left = p.s16();
    const int top = p.s16();
    const int right = p.s16();
    const int bottom = p.s16();
    if (!p.ok())
        return Outcome::Damaged;
    RegionObj region;
    for (int s = 0; s < scans; ++s) {
        const int count = p.u16();
        const int scanTop = p.s16();
        const int scanBottom = p.s16();
        if (!p.ok() || count % 2 != 0)
            return Outcome::Damaged;
        for (int i = 0; i < count / 2; ++i) {
            const int l = p.s16();
            const int r = p.s16();
            if (r > l && scanBottom > scanTop && region.rects.size() < MaxClipRects)
                region.rects.emplace_back(QPoint(l, scanTop), QPoint(r - 1, scanBottom - 1));
        }
        p.u16(); // the count again
        if (!p.ok())
            return Outcome::Damaged;
    }
    if (scans == 0 && right > left && bottom > top)
        region.rects.emplace_back(QPoint(left, top), QPoint(right - 1, bottom - 1));
    charge(scans);
    return addObject(std::move(region));
}

} // namespace lumora
