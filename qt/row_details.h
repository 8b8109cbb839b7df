// Keeps a row's text boxes telling what the row's character is: tooltips, the descriptions a
// screen reader reads, and an announcement of each new result.
#pragma once

#include <QObject>
#include <QString>

#include "accessibility_table.h"
#include "row_text.h"

class QLineEdit;

namespace zentavo {

class KeyboardHere;
class ResultAnnouncer;

// Follows the row's output box, which only the row's handler and the user write, and the keyboard
// in use; the layout table and the handlers know nothing of it.
class RowDetails final : public QObject {
 public:
  RowDetails(const accessibility::RowRecord& row, QLineEdit* input, QLineEdit* output,
             ResultAnnouncer* announcer, const KeyboardHere* keyboard);

 private:
  void Update();
  // Tells the row's details anew, announcing nothing: the result is the same, only what is told
  // of it changed.
  RowText Refresh();
  void ShowDetails(const QString& tooltip, const QString& description);

  const accessibility::RowRecord& row_;
  QLineEdit* input_;
  QLineEdit* output_;
  ResultAnnouncer* announcer_;
};

}  // namespace zentavo
