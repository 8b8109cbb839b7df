#include "row_details.h"

#include <QLineEdit>
#include <QString>

#include "code_pages_here.h"
#include "keyboard_here.h"
#include "qt_text.h"
#include "result_announcer.h"
#include "text_box.h"

namespace zentavo {
RowDetails::RowDetails(const accessibility::RowRecord& row, QLineEdit* input, QLineEdit* output,
                       ResultAnnouncer* announcer, const KeyboardHere* keyboard)
    : QObject(output), row_(row), input_(input), output_(output), announcer_(announcer) {
  connect(output, &QLineEdit::textChanged, this, &RowDetails::Update);
  connect(keyboard, &KeyboardHere::Changed, this, [this] { Refresh(); });
  Update();
}

void RowDetails::Update() {
  const RowText text = Refresh();
  const std::u16string_view announcement = AnnouncementOf(text, output_->hasFocus());
  if (!announcement.empty()) announcer_->Announce(ToQString(announcement));
}

RowText RowDetails::Refresh() {
  const auto* input = qobject_cast<const TextBox*>(input_);
  RowText text =
      RowTextFor(row_, ToU16View(output_->text()), &CodePagesHere,
                 input != nullptr && input->Stepping() ? InputChange::Stepped : InputChange::Edited,
                 &KeyboardWaysHere);
  ShowDetails(ToQString(text.tooltip), ToQString(text.description));
  return text;
}

void RowDetails::ShowDetails(const QString& tooltip, const QString& description) {
  for (QLineEdit* box : {input_, output_}) {
    box->setToolTip(tooltip);
    box->setAccessibleDescription(description);
  }
}

}  // namespace zentavo
