#include "character_finder_dialog.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QListWidgetItem>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "character_finder_text.h"
#include "qt_text.h"
#include "result_announcer.h"

namespace zentavo {

CharacterFinderDialog::CharacterFinderDialog(QWidget* parent)
    : QDialog(parent),
      query_(new QLineEdit(this)),
      list_(new QListWidget(this)),
      outside_(new QLabel(this)),
      use_(nullptr),
      announcer_(new ResultAnnouncer(this)) {
  setObjectName(QStringLiteral("characterFinder"));
  setWindowTitle(ToQString(kFinderTitle));
  auto* layout = new QVBoxLayout(this);
  auto* query_label = new QLabel(ToQString(kFinderQueryLabel), this);
  query_label->setBuddy(query_);
  auto* list_label = new QLabel(ToQString(kFinderListLabel), this);
  list_label->setBuddy(list_);
  query_->setObjectName(QStringLiteral("findQuery"));
  list_->setObjectName(QStringLiteral("findMatches"));
  list_->setMinimumSize(420, 220);
  outside_->hide();
  auto* buttons = new QDialogButtonBox(this);
  use_ = buttons->addButton(ToQString(kFinderUse), QDialogButtonBox::AcceptRole);
  buttons->addButton(ToQString(kFinderCancel), QDialogButtonBox::RejectRole);
  use_->setDefault(true);
  use_->setEnabled(false);
  for (QWidget* each : {static_cast<QWidget*>(query_label), static_cast<QWidget*>(query_),
                        static_cast<QWidget*>(list_label), static_cast<QWidget*>(list_),
                        static_cast<QWidget*>(outside_), static_cast<QWidget*>(buttons)}) {
    layout->addWidget(each);
  }
  connect(query_, &QLineEdit::textChanged, this, &CharacterFinderDialog::Search);
  connect(buttons, &QDialogButtonBox::accepted, this, &CharacterFinderDialog::UseChosenRow);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemActivated, this, &CharacterFinderDialog::UseChosenRow);
  query_->installEventFilter(this);
}

void CharacterFinderDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  query_->setFocus(Qt::ActiveWindowFocusReason);
}

// Down in the field moves into the list, at its first row.
bool CharacterFinderDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == query_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down && list_->count() > 0) {
    list_->setFocus(Qt::TabFocusReason);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void CharacterFinderDialog::Search(const QString& query) {
  found_ = FindCharacters(ToU16View(query));
  list_->clear();
  for (const FoundCharacter& match : found_.matches) {
    const QString name = ToQString(FinderRowName(match));
    auto* row =
        new QListWidgetItem(ToQString(FinderRowCharacter(match.code)) + QLatin1Char('\t') + name);
    row->setData(Qt::AccessibleTextRole, name);
    row->setData(Qt::UserRole, match.code);
    list_->addItem(row);
  }
  if (list_->count() > 0) list_->setCurrentRow(0);
  outside_->setVisible(found_.outside.has_value() && found_.matches.empty());
  if (found_.outside) outside_->setText(ToQString(NotInWindows1252Line(*found_.outside)));
  use_->setEnabled(!found_.matches.empty());
  if (!query.isEmpty()) announcer_->Announce(ToQString(FinderAnnouncement(found_)));
}

// Enter in the field takes the first row, which is the current one until the user moves.
void CharacterFinderDialog::UseChosenRow() {
  const QListWidgetItem* row = list_->currentItem();
  if (row == nullptr) return;  // nothing found: the finder stays open
  chosen_ = static_cast<std::uint8_t>(row->data(Qt::UserRole).toUInt());
  accept();
}

}  // namespace zentavo
