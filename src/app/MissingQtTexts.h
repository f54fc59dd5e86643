// Japanese for the few texts of Qt's own dialogs that Qt's Japanese translation leaves in English.
#pragma once

#include <QTranslator>

namespace corvella {

class MissingQtTexts : public QTranslator {
 public:
  using QTranslator::QTranslator;
  QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                    int n = -1) const override;
  bool isEmpty() const override { return false; }
};

}  // namespace corvella
