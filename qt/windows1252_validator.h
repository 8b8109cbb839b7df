// Keeps a line edit to Windows-1252 characters: an edit that would bring in any other character
// is refused whole, so nothing typed or pasted is silently changed.
#pragma once

#include <QValidator>

namespace zentavo {

class Windows1252Validator final : public QValidator {
 public:
  explicit Windows1252Validator(QObject* parent = nullptr) : QValidator(parent) {}
  State validate(QString& input, int& position) const override;
};

}  // namespace zentavo
