// What the report says about this machine, asked of the system.
#pragma once

#include <string>

#include "system/ReportText.h"

namespace corvella {

// Everything but the Perl folder and the version, which the caller knows.
// The default handler of web pages is asked of `xdg-mime` (none when it is
// missing, fails or takes longer than a few seconds); nothing is written.
ReportFacts GatherReportFacts();

}  // namespace corvella
