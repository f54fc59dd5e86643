// Japanese for the few texts of Qt's own dialogs (the file and print dialogs) that Qt's Japanese translation leaves in English.
#include "app/MissingQtTexts.h"

#include <cstring>

#include "res/StartStrings.h"
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
      {"QPrintSettingsOutput", "Pages", str::kQtPrintPages},
      {"QPrintSettingsOutput",
       "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. "
       "E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
       str::kQtPrintPagesTip},
      {"QPrintSettingsOutput", "Double Sided Printing", str::kQtPrintDuplex},
      {"QPrintSettingsOutput", "Off", str::kQtPrintDuplexOff},
      {"QPrintSettingsOutput", "Long side binding", str::kQtPrintLongSide},
      {"QPrintSettingsOutput", "Short side binding", str::kQtPrintShortSide},
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
