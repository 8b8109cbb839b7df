// Keeps a line edit's undo history from growing without end.
#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace zentavo {

// Qt's line edit records one undo step per character inserted or removed and never lets go of
// them, so a long session of large pastes would hold ever more memory. This counts the
// characters each change inserts and removes; once `budget` of them have piled up, the box's
// history starts afresh (text, cursor and selection stay as they are). Undo works as usual
// until then.
class BoundedUndoHistory final : public QObject {
 public:
  BoundedUndoHistory(QLineEdit* box, qsizetype budget);

 private:
  void CountChange(const QString& text);
  void ForgetHistory();

  QLineEdit* box_;
  qsizetype budget_;
  QString previous_text_;
  qsizetype edited_characters_ = 0;
  bool forgetting_ = false;
};

}  // namespace zentavo
