#include "platform/metafile/player.h"

#include "platform/metafile/records.h"

#include "platform/metafile/text.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace lumora {

using namespace wmf;

QFont MetafilePlayer::makeFont(double pixels, const QString& drawnFace) const {
    const FontObj& f = m_state.font;
    QString face = drawnFace.isEmpty() ? f.face : drawnFace;
    if (face.isEmpty() || face.compare(QLatin1String("System"), Qt::CaseInsensitive) == 0)
        face = QStringLiteral("Arial");
    QFont font(face);
    switch (f.pitchAndFamily & 0xF0) {
    case 0x10:
        font.setStyleHint(QFont::Serif);
        break;
    case 0x30:
        font.setStyleHint(QFont::TypeWriter);
        break;
    case 0x40:
        font.setStyleHint(QFont::Cursive);
        break;
    case 0x50:
        font.setStyleHint(QFont::Decorative);
        break;
    default:
        font.setStyleHint(QFont::SansSerif);
        break;
    }
    const int dpi = m_painter.device() ? m_painter.device()->logicalDpiY() : 96;
    font.setPointSizeF(pixels * 72.0 / (dpi > 0 ? dpi : 96));
    font.setWeight(f.weight <= 0 ? QFont::Normal
                                 : static_cast<QFont::Weight>(std::clamp(f.weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    font.setKerning(false);
    return font;
}

MetafilePlayer::Outcome MetafilePlayer::drawText(quint16 function, Params& p) {
    const bool extended = function == fn::ExtTextOut;
    int x = 0, y = 0, count = 0, options = 0;
    QRectF box;
    QByteArray bytes;
    std::vector<double> dx;
    if (extended) {
        y = p.s16();
        x = p.s16();
        count = p.s16();
        options = p.u16();
        if (options & (EtoOpaque | EtoClipped)) {
            const int l = p.s16(), t = p.s16(), r = p.s16(), b = p.s16();
            box = mapRect(l, t, r, b);
        }
        if (!p.ok() || count < 0)
            return Outcome::Damaged;
        const uchar* s = p.take(count);
        if (!s)
            return Outcome::Damaged;
        bytes = QByteArray(reinterpret_cast<const char*>(s), count);
        if (count % 2 != 0 && p.remaining() > 0)
            p.u8(); // the string is padded to a whole word
        // One spacing a byte; a double-byte character takes the sum of its two.
        const int step = (options & EtoPdy) ? 2 : 1;
        if (count > 0 && p.has(qint64(count) * 2 * step)) {
            dx.reserve(static_cast<size_t>(count));
            for (int i = 0; i < count; ++i) {
                dx.push_back(p.s16() * scaleX());
                if (step == 2)
                    p.s16();
            }
        }
    } else {
        count = p.s16();
        if (count < 0)
            return Outcome::Damaged;
        const uchar* s = p.take(count + (count % 2));
        if (!s)
            return Outcome::Damaged;
        bytes = QByteArray(reinterpret_cast<const char*>(s), count);
        y = p.s16();
        x = p.s16();
        if (!p.ok())
            return Outcome::Damaged;
    }
    charge(8 + count); // each character may be drawn on its own
    if ((options & EtoOpaque) && !box.isEmpty())
        m_painter.fillRect(box, m_state.bkColour);

    const QPointF ref = (m_state.textAlign & TaUpdateCp) ? m_state.position : QPointF(x, y);
    m_painter.save();
    if ((options & EtoClipped) && box.isValid())
        m_painter.setClipRect(box, Qt::IntersectClip);
    paintText(ref, bytes, dx);
    m_painter.restore();
    return Outcome::Played;
}

double MetafilePlayer::textEm(const QString& drawnFace) const {
    // A negative height is the em itself, a positive one the whole cell, ascent and
    // descent together.
    const FontObj& f = m_state.font;
    if (f.height < 0)
        return -f.height * scaleY();
    if (f.height > 0) {
        const QFontMetricsF probe(makeFont(100, drawnFace), m_painter.device());
        return f.height * scaleY() * (probe.height() > 0 ? 100 / probe.height() : 1);
    }
    return m_file.m_unitsPerInch / 6.0 * m_target.height() / m_file.m_bounds.height();
}

double MetafilePlayer::textStretch(const QFont& font, const QString& face, double fontPixels,
                                   double scale) const {
    // A font width asks for that average character width: a symbol-layout font's
    // own average where the face is one, else the drawn font's.
    const FontObj& f = m_state.font;
    if (f.width == 0)
        return 1;
    const double symbolEms = wmf::symbolAverageWidth(face, font);
    const double average = symbolEms > 0
                               ? symbolEms * fontPixels
                               : wmf::averageCharWidth(QFontMetricsF(font, m_painter.device()));
    if (average <= 0)
        return 1;
    return std::clamp(std::abs(f.width) * scaleX() / (average * scale), 0.05, 20.0);
}

void MetafilePlayer::drawGlyph(const QString& glyph, const QRectF& ink, QPointF at, double em) {
    if (ink.isEmpty()) {
        m_painter.drawText(at, glyph);
        return;
    }
    // The stand-in's ink fitted into the box where the file's font has its own.
    QPainterPath path;
    path.addText(0, 0, m_painter.font(), glyph);
    const QRectF from = path.boundingRect();
    if (from.isEmpty())
        return;
    const QRectF to(at + ink.topLeft() * em, ink.size() * em);
    QTransform fit = QTransform::fromTranslate(to.left(), to.top());
    fit.scale(to.width() / from.width(), to.height() / from.height());
    fit.translate(-from.left(), -from.top());
    m_painter.fillPath(fit.map(path), m_state.textColour);
}

namespace {

// What is drawn for each character: the stand-in where no installed font has a glyph
// for a mapped character, or where the file's own symbol font is missing.
QStringList drawnGlyphs(const wmf::DecodedText& decoded, const QFont& font, bool ownFaceMissing) {
    QStringList glyphs;
    for (const wmf::DrawnChar& c : decoded.chars) {
        if (ownFaceMissing && !c.text.trimmed().isEmpty())
            glyphs << QString(QChar(wmf::StandIn));
        else
            glyphs << (decoded.face.isEmpty() ? c.text : wmf::drawableGlyph(font, c.text));
    }
    return glyphs;
}

// How far each character moves the pen, in the font's units along the line, from the
// spacing the record gives for each of its bytes.
std::vector<double> givenAdvances(const wmf::DecodedText& decoded, const std::vector<double>& dx,
                                  double unit) {
    std::vector<double> advance;
    advance.reserve(decoded.chars.size());
    for (const wmf::DrawnChar& c : decoded.chars) {
        double d = 0;
        for (int i = c.firstByte; i < c.firstByte + c.bytes; ++i)
            d += dx[static_cast<size_t>(i)];
        advance.push_back(d / unit);
    }
    return advance;
}

// Where the text starts on its baseline, from the reference point, by the alignment.
QPointF alignedStart(int align, const QFontMetricsF& metrics, double width) {
    const int horizontal = align & TaHorizontal, vertical = align & TaVertical;
    const double x0 = horizontal == TaRight ? -width : horizontal == TaCenter ? -width / 2 : 0;
    const double baseline = vertical == TaBottom     ? -metrics.descent()
                            : vertical == TaBaseline ? 0
                                                     : metrics.ascent();
    return {x0, baseline};
}

} // namespace

void MetafilePlayer::paintText(QPointF ref, const QByteArray& bytes,
                               const std::vector<double>& dx) {
    if (bytes.isEmpty())
        return;
    const FontObj& f = m_state.font;
    const wmf::DecodedText decoded = wmf::decodeText(bytes, f.charset, f.face);
    const QString text = decoded.text();
    const bool perChar = dx.size() == static_cast<size_t>(bytes.size());

    const double em = textEm(decoded.face);
    // Letters too small to see are not drawn, nor letters larger than the picture
    // many times over, which no real page has; a screen reader still reads the small.
    const bool huge = em > 8 * (m_target.width() + m_target.height());
    if (!std::isfinite(em) || em * m_deviceScale < 0.5 || huge) {
        if (std::isfinite(em) && !huge)
            m_texts.push_back({map(ref.x(), ref.y()), text, em, 0});
        return;
    }
    const double fontPixels = std::min(em, MaxFontDevicePixels / m_deviceScale);
    const double scale = em / fontPixels;
    QFont font = makeFont(fontPixels, decoded.face);
    const bool ownFaceMissing =
        decoded.faceOwnLayout && (f.face.isEmpty() || !QFontDatabase::hasFamily(f.face));
    const QStringList glyphs = drawnGlyphs(decoded, font, ownFaceMissing);
    const QString drawn = glyphs.join(QString());

    const double unit = textStretch(font, f.face, fontPixels, scale) * scale; // along the line
    if (m_state.charExtra != 0 && !perChar)
        font.setLetterSpacing(QFont::AbsoluteSpacing, m_state.charExtra * scaleX() / unit);
    const QFontMetricsF metrics(font, m_painter.device());
    const std::vector<double> advance =
        perChar ? givenAdvances(decoded, dx, unit) : std::vector<double>();
    const double width = perChar ? std::accumulate(advance.begin(), advance.end(), 0.0)
                                 : metrics.horizontalAdvance(drawn);
    const QPointF start = alignedStart(m_state.textAlign, metrics, width);

    const QPointF at = map(ref.x(), ref.y());
    m_painter.translate(at);
    m_painter.rotate(-f.escapement / 10.0);
    m_painter.scale(unit, scale);
    const QTransform line =
        QTransform::fromTranslate(at.x(), at.y()).rotate(-f.escapement / 10.0).scale(unit, scale);
    m_texts.push_back({line.map(start), text, em, width * unit});
    if (m_state.bkMode == BkOpaque)
        m_painter.fillRect(QRectF(start.x(), start.y() - metrics.ascent(), width, metrics.height()),
                           m_state.bkColour);
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_painter.setFont(font);
    m_painter.setPen(m_state.textColour);
    const bool inked = std::any_of(decoded.chars.begin(), decoded.chars.end(),
                                   [](const wmf::DrawnChar& c) { return !c.ink.isEmpty(); });
    if (perChar || inked) {
        double x = start.x();
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            const auto n = static_cast<size_t>(i);
            if (!glyphs[i].trimmed().isEmpty())
                drawGlyph(glyphs[i], decoded.chars[n].ink, QPointF(x, start.y()), fontPixels);
            x += perChar ? advance[n] : metrics.horizontalAdvance(glyphs[i]);
        }
    } else {
        m_painter.drawText(start, drawn);
    }
    if (m_state.textAlign & TaUpdateCp)
        moveCurrentPosition(width * unit);
}

void MetafilePlayer::moveCurrentPosition(double width) {
    // Text drawn from the current position moves it on past the text, or back for
    // text aligned right.
    const double moved = width / (m_map.ax != 0 ? m_map.ax : 1);
    switch (m_state.textAlign & TaHorizontal) {
    case TaRight:
        m_state.position.rx() -= moved;
        break;
    case TaCenter:
        break;
    default:
        m_state.position.rx() += moved;
        break;
    }
}

} // namespace lumora
