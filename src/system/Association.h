// The association of ".pl" and ".cgi" scripts with the program, kept where the freedesktop desktop keeps it.
#pragma once

#include <string>

#include "system/XdgPlaces.h"

namespace corvella {

struct ScriptTypes {
  bool pl = false;
  bool cgi = false;
};

// The association is the desktop entry kAssocEntryId in
// <data>/applications, the package <data>/mime/packages/corvella-cgi.xml for
// ".cgi", and the default application of each type in <config>/mimeapps.list.
// A type counts as ours when its default names our entry and the files it
// needs are there.
ScriptTypes ReadAssociation(const XdgPlaces& places);

// Makes the association what `wanted` says. A type that is not wanted loses
// our entry from its default, never another program's; with neither type
// the entry and the package go. A default is only set once the entry it names
// is written, and a mimeapps.list that exists but cannot be read is left
// alone rather than written anew. Failures are silent: what can be done is.
void ApplyAssociation(const XdgPlaces& places, ScriptTypes wanted, const std::string& program,
                      const std::string& icon);

}  // namespace corvella
