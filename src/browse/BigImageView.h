#pragma once

#include <QSize>
#include <QString>

// The enlarged picture window's sizing rule: the picture at its own size when it fits the
// window, otherwise shrunk to fit; and the two status texts.
class BigImageView {
public:
    static constexpr int kInitialWidth = 674;
    static constexpr int kInitialHeight = 609;
    static constexpr int kMinimumSize = 300;

    struct Layout {
        bool scaleToFit = false;
        double scale = 1;
        QString scaleText; // "Масштаб: 100%"
        QString sizeText;  // "Размер: 150x200" (height x width)
    };

    // outer: the window's frame size; view: the area the picture is shown in.
    static Layout layout(QSize outer, QSize view, QSize picture);
};
