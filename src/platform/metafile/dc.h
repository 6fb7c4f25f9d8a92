#pragma once
// The device context of a play: the drawing state that records set, save and
// restore (mapping, objects selected, colours, modes, clip), and the object table
// that the creating records fill and the selecting ones index.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QRegion>
#include <QString>
#include <optional>
#include <set>
#include <variant>
#include <vector>

namespace lumora::wmf {

// Mapping modes.
enum MapMode {
    MmText = 1,
    MmLoMetric = 2,
    MmHiMetric = 3,
    MmLoEnglish = 4,
    MmHiEnglish = 5,
    MmTwips = 6,
    MmIsotropic = 7,
    MmAnisotropic = 8,
};

// Text alignment flags.
constexpr int TaUpdateCp = 0x0001;
constexpr int TaHorizontal = 0x0006;
constexpr int TaRight = 0x0002;
constexpr int TaCenter = 0x0006;
constexpr int TaVertical = 0x0018;
constexpr int TaBottom = 0x0008;
constexpr int TaBaseline = 0x0018;

// ExtTextOut options.
constexpr int EtoOpaque = 0x0002;
constexpr int EtoClipped = 0x0004;
constexpr int EtoPdy = 0x2000;

constexpr int BkTransparent = 1;
constexpr int BkOpaque = 2;
constexpr int Winding = 2;
constexpr int StretchHalftone = 4;

constexpr int PsNull = 5;
constexpr int PsInsideFrame = 6;

constexpr int BsSolid = 0;
constexpr int BsNull = 1;
constexpr int BsHatched = 2;
constexpr int BsPattern = 3;

constexpr int MaxSavedStates = 1024;
constexpr int MaxObjects = 65535;
constexpr int MaxClipRects = 2048;
constexpr int MaxPaletteEntries = 1024;
// A font larger than this many device pixels is drawn smaller and scaled up, so
// that no glyph is ever rasterised at a giant size.
constexpr double MaxFontDevicePixels = 512;
// Device coordinates are kept finite and well inside what the rasteriser takes.
constexpr double CoordinateLimit = 1e9;

struct PenObj {
    int style = 0;
    double width = 0; // logical units; 0 is one device pixel
    QColor colour = Qt::black;
};

struct BrushObj {
    int style = BsSolid;
    QColor colour = Qt::white;
    int hatch = 0;
    QImage pattern;    // pattern brushes
    bool mono = false; // a monochrome pattern takes the text and background colours
};

struct FontObj {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = 0;
    int pitchAndFamily = 0;
    QString face;
};

struct PaletteObj {
    std::vector<QRgb> entries;
};

struct RegionObj {
    std::vector<QRect> rects; // logical units
};

// An object of a kind that is not drawn; it holds its place in the table.
struct Placeholder {};

using Object = std::variant<Placeholder, PenObj, BrushObj, FontObj, PaletteObj, RegionObj>;

// How logical units map to the picture: the mapping mode with the window and
// viewport that the records set.
struct Mapping {
    int mode = MmAnisotropic;
    double windowX = 0, windowY = 0, windowW = 1, windowH = 1;
    double viewX = 0, viewY = 0, viewW = 1, viewH = 1;
};

// x' = ax x + bx, y' = ay y + by.
struct Affine {
    double ax = 1, bx = 0, ay = 1, by = 0;
};

// The transform from logical units to `target`, into which the picture's box in
// its own units (`unitsPerInch` of them to the inch) is drawn.
Affine mappingTransform(const Mapping& m, double unitsPerInch, const QRect& box,
                        const QRectF& target);

struct State {
    Mapping mapping;
    PenObj pen;
    BrushObj brush;
    FontObj font;
    std::vector<QRgb> palette;
    QColor textColour = Qt::black;
    QColor bkColour = Qt::white;
    int bkMode = BkOpaque;
    int textAlign = 0;
    int polyFillMode = 1;
    int stretchMode = 1;
    int charExtra = 0;
    QPointF position;            // current position, logical
    std::optional<QRegion> clip; // in the painter's coordinates
};

// The objects by index. A new object takes the lowest free slot, as the recording
// program's table did, so that the indexes of later records name the same objects.
class ObjectTable {
public:
    // False when the table is full.
    bool add(Object object);
    // The object at `index`, or nullptr when that slot holds none.
    const Object* at(int index) const;
    bool remove(int index);

private:
    std::vector<std::optional<Object>> m_objects;
    std::set<int> m_free;
};

} // namespace lumora::wmf
