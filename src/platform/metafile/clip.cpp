#include "platform/metafile/clip.h"

#include <algorithm>
#include <cmath>

namespace lumora::wmf {

QPolygonF clipPolygon(QPolygonF poly, const QRectF& box) {
    for (int edge = 0; edge < 4 && !poly.isEmpty(); ++edge) {
        auto inside = [&](QPointF p) {
            switch (edge) {
            case 0:
                return p.x() >= box.left();
            case 1:
                return p.x() <= box.right();
            case 2:
                return p.y() >= box.top();
            default:
                return p.y() <= box.bottom();
            }
        };
        auto cross = [&](QPointF a, QPointF b) {
            if (edge < 2) {
                const double x = edge == 0 ? box.left() : box.right();
                return QPointF(x, a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x()));
            }
            const double y = edge == 2 ? box.top() : box.bottom();
            return QPointF(a.x() + (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()), y);
        };
        QPolygonF out;
        out.reserve(poly.size() + 4);
        QPointF prev = poly.last();
        for (const QPointF& cur : poly) {
            if (inside(cur)) {
                if (!inside(prev))
                    out << cross(prev, cur);
                out << cur;
            } else if (inside(prev)) {
                out << cross(prev, cur);
            }
            prev = cur;
        }
        poly = std::move(out);
    }
    return poly;
}

std::vector<QPolygonF> clipPolyline(const QPolygonF& line, const QRectF& box) {
    std::vector<QPolygonF> runs;
    QPolygonF run;
    auto flush = [&] {
        if (run.size() >= 2)
            runs.push_back(run);
        run.clear();
    };
    for (qsizetype i = 1; i < line.size(); ++i) {
        const QPointF a = line[i - 1], d = line[i] - line[i - 1];
        double t0 = 0, t1 = 1;
        bool visible = true;
        auto edge = [&](double p, double q) {
            if (p == 0) {
                visible = visible && q >= 0;
                return;
            }
            const double r = q / p;
            if (p < 0)
                t0 = std::max(t0, r);
            else
                t1 = std::min(t1, r);
        };
        edge(-d.x(), a.x() - box.left());
        edge(d.x(), box.right() - a.x());
        edge(-d.y(), a.y() - box.top());
        edge(d.y(), box.bottom() - a.y());
        if (!visible || t0 > t1) {
            flush();
            continue;
        }
        const QPointF p0 = a + d * t0, p1 = a + d * t1;
        if (run.isEmpty() || run.last() != p0) {
            flush();
            run << p0;
        }
        run << p1;
        if (t1 < 1)
            flush();
    }
    flush();
    return runs;
}

QRect pixelRect(const QRectF& r) {
    auto edge = [](double v) {
        return static_cast<int>(std::floor(std::clamp(v, -1e9, 1e9) + 0.5));
    };
    const int l = edge(r.left()), t = edge(r.top()), rr = edge(r.right()), b = edge(r.bottom());
    if (rr <= l || b <= t)
        return {};
    return QRect(QPoint(l, t), QPoint(rr - 1, b - 1));
}

} // namespace lumora::wmf
