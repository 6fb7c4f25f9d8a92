#pragma once
// Cutting shapes to a rectangle, so that one that reaches far past the picture is
// drawn only where it can show, and the whole pixels a rectangle covers.

#include <QPolygonF>
#include <QRect>
#include <QRectF>
#include <vector>

namespace lumora::wmf {

// A closed polygon cut to a rectangle, edge by edge. Inside the rectangle every
// point keeps its winding number, so the fill is the same under either rule.
QPolygonF clipPolygon(QPolygonF poly, const QRectF& box);

// An open line cut to a rectangle: the runs of it that lie inside.
std::vector<QPolygonF> clipPolyline(const QPolygonF& line, const QRectF& box);

// The pixels whose centres `r` covers, as a clip region takes them; empty when none.
QRect pixelRect(const QRectF& r);

} // namespace lumora::wmf
