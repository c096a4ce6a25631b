#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The pictures of the windows: toolbar icons from the resources, and the two pictures the
// program draws itself (the no-photo placeholder and the splash picture).
class UiPictures {
public:
    // A toolbar picture by its resource name ("new-order", "export", ...).
    static QIcon icon(const QString &name);
    // A neutral "no photo" placeholder, square, side in pixels.
    static QPixmap noPhoto(int side);
    // The 401 by 401 picture of the splash window.
    static QPixmap splash();
};
