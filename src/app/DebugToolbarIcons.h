// The debugger's toolbar images, drawn in the 16 x 15 style of the shipped strip, which has none for them.
#pragma once

#include <QPixmap>

namespace corvella {

// A null pixmap for a command without a drawn image.
QPixmap DebugToolbarImage(int id);

}  // namespace corvella
