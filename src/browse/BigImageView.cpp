#include "browse/BigImageView.h"

#include <algorithm>
#include <cmath>

BigImageView::Layout BigImageView::layout(QSize outer, QSize view, QSize picture)
{
    Layout result;
    const bool fits =
        outer.height() - 30 >= picture.height() && outer.width() - 20 >= picture.width();
    result.scaleToFit = !fits;
    if (!fits && picture.width() > 0 && picture.height() > 0)
        result.scale = std::min(double(view.width()) / picture.width(),
                                double(view.height()) / picture.height());
    result.scaleText = QStringLiteral("Масштаб: ") +
                       QString::number(static_cast<long long>(std::trunc(result.scale * 100))) +
                       QStringLiteral("%");
    result.sizeText = QStringLiteral("Размер: ") + QString::number(picture.height()) +
                      QStringLiteral("x") + QString::number(picture.width());
    return result;
}
