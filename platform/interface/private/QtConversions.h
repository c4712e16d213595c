#ifndef QT_CONVERSIONS_H
#define QT_CONVERSIONS_H

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

#include <Font.h>
#include <GraphicsDefs.h>
#include <Rect.h>

namespace BPrivate {

// The one place where the platform's inclusive pixel rectangles and
// coordinates meet Qt's.
QRect to_qt(const BRect& rect);
BRect from_qt(const QRect& rect);
QPoint to_qt(BPoint point);
QPointF to_qt_f(BPoint point);
BPoint from_qt(QPoint point);
BPoint from_qt(QPointF point);
QColor to_qt(rgb_color color);
QFont to_qt(const BFont& font);
QString to_qt(const char* utf8);
QString to_qt(const char* utf8, int32 length);

} // namespace BPrivate

#endif // QT_CONVERSIONS_H
