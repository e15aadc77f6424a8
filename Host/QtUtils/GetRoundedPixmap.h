#pragma once

#include <QPixmap>

namespace Tavrel {

/// The pixmap with its corners rounded (transparent outside), radii in the pixmap's own pixels.
/// A null pixmap gives a null pixmap; radii of 0 give an unchanged copy.
QPixmap GetRoundedPixmap(const QPixmap& pixmap, qreal xRadius, qreal yRadius);

} // namespace Tavrel
