#pragma once
// The player: walks a file's records and draws each with QPainter, keeping the
// device context that the records set. player.cpp walks and dispatches, objects.cpp
// holds the records that create and select objects, draw.cpp the shapes and
// bitmaps, drawtext.cpp the text.

#include "platform/metafile.h"
#include "platform/metafile/dc.h"
#include "platform/metafile/rasterop.h"
#include "platform/metafile/reader.h"

#include <QBrush>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <unordered_map>

namespace lumora {

class MetafilePlayer {
public:
    MetafilePlayer(const Metafile& metafile, QPainter& painter, const QRectF& target);
    PlayStats run();

private:
    enum class Outcome { Played, Skipped, Ignored, Damaged };
    using Params = wmf::Params;

    // Every record, or family of records, has a handler of its own; the dispatcher
    // hands each record to it by the record's function number.
    using Handler = Outcome (MetafilePlayer::*)(quint16 function, Params& p);
    using Handlers = std::unordered_map<quint16, Handler>;
    static const Handlers& handlers();
    Outcome play(quint16 function, Params& p);

    // state records
    Outcome saveDC(quint16 function, Params& p);
    Outcome restoreDC(quint16 function, Params& p);
    Outcome setMapMode(quint16 function, Params& p);
    Outcome moveOrigin(quint16 function, Params& p);
    Outcome setBkMode(quint16 function, Params& p);
    Outcome setColour(quint16 function, Params& p);
    Outcome setMode(quint16 function, Params& p); // text alignment, fill and stretch modes
    Outcome changesNothing(quint16 function, Params& p);
    Outcome moveTo(quint16 function, Params& p);

    // mapping
    void updateTransform();
    QPointF map(double x, double y) const;
    QRectF mapRect(double left, double top, double right, double bottom) const;
    QRectF mapRect(const wmf::Box& b) const { return mapRect(b.left, b.top, b.right, b.bottom); }
    double scaleX() const { return std::abs(m_map.ax); }
    double scaleY() const { return std::abs(m_map.ay); }
    Outcome setExtent(quint16 function, Params& p);
    Outcome scaleExtent(quint16 function, Params& p);

    // objects
    Outcome addObject(wmf::Object object);
    const wmf::Object* object(int index) const { return m_objects.at(index); }
    Outcome selectObject(int index);
    Outcome deleteObject(int index);
    Outcome createPen(quint16 function, Params& p);
    Outcome createBrush(quint16 function, Params& p);
    Outcome createFont(quint16 function, Params& p);
    Outcome createPalette(quint16 function, Params& p);
    Outcome createRegion(quint16 function, Params& p);
    Outcome createPatternBrush(quint16 function, Params& p);
    Outcome createBitmapBrush(quint16 function, Params& p);
    Outcome useObject(quint16 function, Params& p); // select or delete
    Outcome setPaletteEntries(quint16 function, Params& p);
    Outcome resizePalette(quint16 function, Params& p);

    // clipping
    QRegion currentClip() const { return m_state.clip ? *m_state.clip : m_base; }
    void setClip(std::optional<QRegion> clip);
    Outcome clipRect(quint16 function, Params& p);
    Outcome selectClipRegion(quint16 function, Params& p);
    Outcome offsetClipRegion(quint16 function, Params& p);
    QRegion mapRegion(const wmf::RegionObj& region);

    // drawing
    void charge(qint64 work) { m_work += work; }
    QPen pen() const;
    QBrush brush(bool inverted = false) const;
    void prepare(bool stroke, bool fill);
    void drawShape(const QPainterPath& path, bool closed);
    void drawSealed(const QPainterPath& path, bool closed);
    Outcome lineTo(quint16 function, Params& p);
    Outcome drawPoly(quint16 function, Params& p);
    // The next `count` points of a record, mapped; the caller has checked they are there.
    QPolygonF readPoints(Params& p, int count) const;
    // An empty path that fills by the current polygon fill mode.
    QPainterPath polyPath() const;
    Outcome drawPolyPolygon(quint16 function, Params& p);
    Outcome drawRectLike(quint16 function, Params& p);
    Outcome drawArcLike(quint16 function, Params& p);
    Outcome drawText(quint16 function, Params& p);
    void paintText(QPointF ref, const QByteArray& bytes, const std::vector<double>& dx);
    // After text drawn from the current position: the position past it.
    void moveCurrentPosition(double width);
    QFont makeFont(double pixels, const QString& drawnFace) const;
    // The em of the current font in the painter's units.
    double textEm(const QString& drawnFace) const;
    // The horizontal stretch that the font's width asks for.
    double textStretch(const QFont& font, const QString& face, double fontPixels,
                       double scale) const;
    // One glyph at `at` on its baseline; with an ink box (in ems of `em`), fitted into it.
    void drawGlyph(const QString& glyph, const QRectF& ink, QPointF at, double em);
    Outcome setPixel(quint16 function, Params& p);
    Outcome fillRegionRecord(quint16 function, Params& p); // FillRegion, PaintRegion
    Outcome fillRegion(int regionIndex, const QBrush& brush);
    Outcome patBltRecord(quint16 function, Params& p);
    Outcome patBlt(quint32 rop, const QRectF& rect);
    Outcome bitBlt(quint16 function, Params& p); // BitBlt, StretchBlt
    Outcome drawDib(quint16 function, Params& p);
    void drawImage(const QImage& image, QRectF source, const QRectF& dest, const wmf::RasterOp& op);

    const Metafile& m_file;
    QPainter& m_painter;
    QRectF m_target;
    QRegion m_base; // the target, within any clip the caller had
    bool m_rasterOps = false;
    bool m_blendModes = false;
    double m_deviceScale = 1;

    wmf::State m_state;
    std::vector<wmf::State> m_saved;
    wmf::ObjectTable m_objects;
    std::vector<PlacedText> m_texts;

    wmf::Affine m_map; // logical to painter coordinates
    qint64 m_work = 0;
};

} // namespace lumora
