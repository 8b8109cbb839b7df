#include "window/row_details.h"

#include <QLineEdit>
#include <QString>

#include <optional>
#include <string>

#include "conversion/character_details.h"
#include "window/qt_text.h"
#include "window/result_announcer.h"

namespace zentavo {
RowDetails::RowDetails(const accessibility::RowRecord& row, QLineEdit* input, QLineEdit* output,
                       ResultAnnouncer* announcer)
    : QObject(output),
      shown_as_(row.output),
      hint_(QString::fromUtf16(row.hint.data(), static_cast<qsizetype>(row.hint.size()))),
      input_(input),
      output_(output),
      announcer_(announcer) {
  connect(output, &QLineEdit::textChanged, this, &RowDetails::Update);
  ShowDetails(hint_, QString(hint_).replace(u'\n', u' '));
}

void RowDetails::Update() {
  const QString shown = output_->text();
  const std::optional<std::uint8_t> code = accessibility::CodeShown(shown_as_, ToU16View(shown));
  if (!code) {
    ShowDetails(hint_, QString(hint_).replace(u'\n', u' '));
    return;
  }
  const std::uint8_t shown_code = *code;
  ShowDetails(ToQString(DescribeForTooltip(shown_code)), ToQString(DescribeForSpeech(shown_code)));
  // Someone typing in the output box itself hears their own keys; anyone else is told.
  if (output_->hasFocus()) return;
  const QString name = ToQString(NameToTell(shown_code));
  announcer_->Announce(
      shown_as_ == accessibility::ShownAs::Character ? name : shown + QStringLiteral(", ") + name);
}

void RowDetails::ShowDetails(const QString& tooltip, const QString& description) {
  for (QLineEdit* box : {input_, output_}) {
    box->setToolTip(tooltip);
    box->setAccessibleDescription(description);
  }
}

}  // namespace zentavo
