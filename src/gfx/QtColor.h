#pragma once
#include <QColor>
#include <QRgb>

#include "engine/Types.h"

namespace quill {

// Colours cross into Qt only here. Anything above the 24 colour bits is
// dropped on the way in and the alpha channel on the way out.
inline QRgb toQRgb(Color c) { return qRgb(redOf(c), greenOf(c), blueOf(c)); }
inline QColor toQColor(Color c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }
inline Color fromQRgb(QRgb v) { return rgb(qRed(v), qGreen(v), qBlue(v)); }
inline Color fromQColor(const QColor& c) { return fromQRgb(c.rgb()); }

}  // namespace quill
