#pragma once
// Windows Metafiles, the pictures Lumora's pages are drawn in.
//
// A metafile is read whole into memory and checked just enough to know its size:
// a placeable file carries a bounding box and the units per inch of its drawing;
// a plain one is sized by its first window origin and extent (taken as twips), or
// gets a default page when it has none. Playing walks the records and draws them
// with QPainter onto any device (a screen image, a QImage, a printer) scaled so
// that the bounding box fills the target rectangle.
//
// The files come from outside the program, so nothing in them is trusted: every
// size, count and index is checked against the record and the file before use.
// A record the player does not draw is skipped by its size and counted; a record
// whose contents run past its own end, or past the file, ends the play there.
// The number of records and the drawing work are capped, so play always ends in
// bounded time, and a bitmap is decoded only when its pixels are in the record.

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <map>
#include <optional>
#include <vector>

class QLabel;
class QPainter;

namespace lumora {

// A piece of text as a page drew it: where its baseline starts, in the target's
// coordinates, with its em and advance there (so that pieces can be put in
// reading order and joined), and the text decoded to Unicode.
struct PlacedText {
    QPointF at;
    QString text;
    double em = 0;
    double width = 0;
};

// What one play did.
struct PlayStats {
    int played = 0;                 // records drawn or applied, the end record included
    std::map<quint16, int> skipped; // records not drawn, by function number
    int ignored = 0;                // records drawn as nothing because a value was unusable
                                    // (an object index that holds no object, a zero extent)
    bool endedEarly = false;        // damaged data or a cap ended the play
    QString endReason;              // why, when it did
    std::vector<PlacedText> texts;  // the text records' text, in the order drawn

    int skippedCount() const;
    // "StretchDIB x2, Escape x1": for messages and test reports.
    QString skippedSummary() const;
};

class Metafile {
public:
    // Far larger than any page; a file beyond it is refused unread.
    static constexpr qsizetype MaxFileSize = 32 * 1024 * 1024;
    // Caps on one play: records read, and drawing work (a drawing record costs a few
    // units, more for long point lists, strings and bitmaps).
    static constexpr int MaxRecords = 1'000'000;
    static constexpr qint64 MaxWork = 4'000'000;
    // A bitmap with more pixels than this is not decoded (its record is skipped).
    static constexpr qint64 MaxBitmapPixels = 16 * 1024 * 1024;
    // toImage() never makes an image larger than this on either side; a bigger
    // picture is drawn smaller, keeping its shape.
    static constexpr int MaxImageSide = 8192;

    // The metafile in `bytes`, or nothing when they are not a metafile (no valid
    // header) or are larger than MaxFileSize. Damage after the header is found only
    // when playing.
    static std::optional<Metafile> fromBytes(const QByteArray& bytes);
    // The metafile of a resource such as "wmf\guide1.wmf" (see resourcePath); throws
    // FileError when the file is missing, unreadable, too large or not a metafile.
    static Metafile load(const QString& resourceName);

    bool isPlaceable() const { return m_placeable; }
    // The drawing's box in its own units, and how many of them make an inch.
    QRect bounds() const { return m_bounds; }
    int unitsPerInch() const { return m_unitsPerInch; }

    // The picture's own size: 1440 twips to the inch, 15 twips to a pixel.
    QSizeF sizeTwips() const;
    QSize sizePixels() const;

    // Draws the picture so that its box fills `target` (in the painter's
    // coordinates). The painter's state is as it was afterwards; nothing is drawn
    // outside `target`.
    PlayStats play(QPainter& painter, const QRectF& target) const;

    // The picture at its own size in pixels (see MaxImageSide) on `background`;
    // transparent by default, so that a screen's colour shows through.
    QImage toImage(QColor background = Qt::transparent, PlayStats* stats = nullptr) const;
    // At `ratio` device pixels to a pixel: ratio times the pixels on each side, the
    // same size in pixels of the screen (for sharp pages on a high-density screen).
    QPixmap toPixmap(QColor background = Qt::transparent, double ratio = 1) const;

    // The page's text in reading order (see readingOrderText), for a screen reader.
    QString pageText() const;

    const QByteArray& bytes() const { return m_bytes; }

private:
    Metafile() = default;

    QByteArray m_bytes;
    qsizetype m_recordsStart = 0;
    int m_objectCount = 0; // object table size that the header asks for
    QRect m_bounds;
    int m_unitsPerInch = 1440;
    bool m_placeable = false;

    friend class MetafilePlayer;
};

// The text of a play in reading order: lines top to bottom, the pieces of a line
// (those whose baselines lie within a third of an em) left to right, joined with a
// blank where they stand apart; the lines joined by "\n". Where text stands in two
// columns, parted by a gutter that no piece crosses, the left column is read
// before the right one, each top to bottom.
QString readingOrderText(const std::vector<PlacedText>& texts);
inline QString readingOrderText(const PlayStats& stats) { return readingOrderText(stats.texts); }

// The name of a record's function ("StretchDIB", "ExtTextOut"), or its number in
// hexadecimal when it has none.
QString metafileFunctionName(quint16 function);

// Loads a metafile resource into an image control at its own size, as an image box
// shows a picture: the control takes the picture's size and a transparent
// background. The picture is drawn at the control's device pixel ratio, so that it
// stays sharp on a high-density screen. Throws FileError as Metafile::load does.
Metafile loadMetafile(QLabel* control, const QString& resourceName);

} // namespace lumora
