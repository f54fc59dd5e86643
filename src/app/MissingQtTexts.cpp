// Japanese for the few texts of Qt's own dialogs that Qt's Japanese translation leaves in English.
#include "app/MissingQtTexts.h"

#include <cstring>

#include "res/Strings.h"

namespace corvella {

QString MissingQtTexts::translate(const char* context, const char* sourceText, const char*, int) const {
  struct Text {
    const char* context;
    const char* source;
    const char* japanese;
  };
  static constexpr Text kTexts[] = {
      {"QAbstractFileIconProvider", "Folder", str::kQtFolderType},
      {"QAbstractFileIconProvider", "File", str::kQtFileType},
      {"QAbstractFileIconProvider", "%1 File", str::kQtExtFileType},
      {"QAbstractFileIconProvider", "Drive", str::kQtDriveType},
  };
  if (!context || !sourceText) return {};
  for (const Text& t : kTexts) {
    if (std::strcmp(context, t.context) == 0 && std::strcmp(sourceText, t.source) == 0) {
      return QString::fromUtf8(t.japanese);
    }
  }
  return {};
}

}  // namespace corvella
