// Makes a box that shows a character without a glyph of its own show something a reader can
// tell apart: a control character, an undefined code, the no-break space or the soft hyphen.
#pragma once

#include <QObject>

class QLineEdit;

namespace zentavo {

// While a line edit's whole text is one such character, the character is
// drawn as a greyed, dotted box holding its abbreviation ("NUL", "LF", "NBSP", "SHY") or its
// code in hexadecimal ("81"); the text itself stays the real character, so copying and reading
// it give exactly that character.
class CharacterPictures final : public QObject {
 public:
  // Watches `box`, and lives as long as it.
  explicit CharacterPictures(QLineEdit* box);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zentavo
