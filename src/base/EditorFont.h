// The editor font between its stored numeric form and Qt: the fixed-pitch CJK font stands in for the original faces.
#pragma once

#include <QFont>

#include "base/Settings.h"

namespace corvella {

// The fixed-pitch CJK font at `points`, falling back to the monospace family.
QFont FixedPitchFont(int points);
// The editor font used when none is stored: 14 points.
QFont DefaultEditorFont();
QFont FontFromLogFont(const LogFont& lf);
LogFont LogFontFromFont(const QFont& font);

// A stored colour as Qt's; `fallback` for the automatic colour.
QColor ColorFromRef(ColorRef c, ColorRef fallback);

}  // namespace corvella
