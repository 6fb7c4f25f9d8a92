#include "platform/metafile/dc.h"

#include <algorithm>
#include <cmath>

namespace lumora::wmf {

Affine mappingTransform(const Mapping& m, double unitsPerInch, const QRect& box,
                        const QRectF& target) {
    const double inch = unitsPerInch;
    double sx = 1, sy = 1;
    switch (m.mode) {
    case MmLoMetric:
        sx = inch / 254.0, sy = -sx;
        break;
    case MmHiMetric:
        sx = inch / 2540.0, sy = -sx;
        break;
    case MmLoEnglish:
        sx = inch / 100.0, sy = -sx;
        break;
    case MmHiEnglish:
        sx = inch / 1000.0, sy = -sx;
        break;
    case MmTwips:
        sx = inch / 1440.0, sy = -sx;
        break;
    case MmIsotropic:
    case MmAnisotropic:
        sx = m.viewW / m.windowW;
        sy = m.viewH / m.windowH;
        if (m.mode == MmIsotropic) {
            const double k = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(k, sx);
            sy = std::copysign(k, sy);
        }
        break;
    default:
        break; // MM_TEXT: a logical unit is a unit of the box
    }
    const double kx = target.width() / box.width();
    const double ky = target.height() / box.height();
    Affine t{sx * kx, target.left() + (m.viewX - m.windowX * sx - box.left()) * kx, sy * ky,
             target.top() + (m.viewY - m.windowY * sy - box.top()) * ky};
    if (!std::isfinite(t.ax) || !std::isfinite(t.ay) || !std::isfinite(t.bx) ||
        !std::isfinite(t.by))
        t = Affine{};
    return t;
}

bool ObjectTable::add(Object object) {
    if (!m_free.empty()) {
        const int slot = *m_free.begin();
        m_free.erase(m_free.begin());
        m_objects[static_cast<size_t>(slot)] = std::move(object);
        return true;
    }
    if (m_objects.size() >= MaxObjects)
        return false;
    m_objects.emplace_back(std::move(object));
    return true;
}

const Object* ObjectTable::at(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_objects.size() ||
        !m_objects[static_cast<size_t>(index)])
        return nullptr;
    return &*m_objects[static_cast<size_t>(index)];
}

bool ObjectTable::remove(int index) {
    if (!at(index))
        return false;
    m_objects[static_cast<size_t>(index)].reset();
    m_free.insert(index);
    return true;
}

} // namespace lumora::wmf
