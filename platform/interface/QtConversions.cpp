#include "QtConversions.h"

#include <algorithm>
#include <cmath>

namespace BPrivate {

static int
pixel(float coordinate)
{
	return static_cast<int>(std::floor(coordinate + 0.5f));
}

QRect
to_qt(const BRect& rect)
{
	// Qt's QRect(topLeft, bottomRight) is inclusive too: width r - l + 1.
	return QRect(QPoint(pixel(rect.left), pixel(rect.top)),
				 QPoint(pixel(rect.right), pixel(rect.bottom)));
}

BRect
from_qt(const QRect& rect)
{
	return BRect(rect.left(), rect.top(), rect.right(), rect.bottom());
}

QPoint
to_qt(BPoint point)
{
	return QPoint(pixel(point.x), pixel(point.y));
}

QPointF
to_qt_f(BPoint point)
{
	return QPointF(point.x, point.y);
}

BPoint
from_qt(QPoint point)
{
	return BPoint(point.x(), point.y());
}

BPoint
from_qt(QPointF point)
{
	return BPoint(static_cast<float>(point.x()), static_cast<float>(point.y()));
}

QColor
to_qt(rgb_color color)
{
	return QColor(color.red, color.green, color.blue, color.alpha);
}

QFont
to_qt(const BFont& font)
{
	QFont result;
	if (!font.Family().empty())
		result.setFamily(QString::fromStdString(font.Family()));
	result.setPixelSize(std::max(1, pixel(font.Size())));
	result.setBold(font.IsBold());
	return result;
}

QString
to_qt(const char* utf8)
{
	return QString::fromUtf8(utf8 != nullptr ? utf8 : "");
}

QString
to_qt(const char* utf8, int32 length)
{
	return QString::fromUtf8(utf8 != nullptr ? utf8 : "", utf8 != nullptr ? length : 0);
}

} // namespace BPrivate
