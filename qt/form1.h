// Form1, the program's only window, built from the layout table; it gives the conversion
// handlers access to its four text boxes by name.
#pragma once

#include <QWidget>

#include <array>
#include <string>
#include <string_view>

#include "failure_policy.h"
#include "handlers.h"

class QLineEdit;
class QPushButton;
class QPaintEvent;

namespace zentavo {

class KeyboardHere;

class Form1 final : public QWidget, public TextBoxAccess {
  Q_OBJECT

 public:
  // Builds the window and all its controls, hidden. Runs no conversion.
  explicit Form1(QWidget* parent = nullptr);

  // Shows the window where the window system places new windows, focus in txtDeASCII.
  void Show();
  // Opens the character finder; a code chosen there goes into txtDeASCII as the user's edit.
  void FindCharacter();

  // Raises std::invalid_argument for a name that is none of the four text boxes.
  [[nodiscard]] std::u16string ReadText(std::string_view box) const override;
  [[nodiscard]] std::u16string ReadTextStart(std::string_view box,
                                             std::size_t characters) const override;
  // Emits the box's textChanged when the text differs from what it held.
  void ReplaceText(std::string_view box, std::u16string_view text) override;

  // The controls whose notifications the program binds.
  [[nodiscard]] QLineEdit* TextBox(std::string_view name) const;
  [[nodiscard]] QPushButton* ExitButton() const { return exit_button_; }
  // The failure reports waiting to be shown over this window.
  [[nodiscard]] FailureReportQueue& FailureReports() { return failure_reports_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  [[nodiscard]] QLineEdit* TextBoxOrThrow(std::string_view name) const;

  std::array<QLineEdit*, 4> text_boxes_{};
  QPushButton* exit_button_ = nullptr;
  KeyboardHere* keyboard_ = nullptr;
  bool icon_given_ = false;
  FailureReportQueue failure_reports_;
};

}  // namespace zentavo
