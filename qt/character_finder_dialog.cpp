#include "character_finder_dialog.h"

#include <QAbstractListModel>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdint>
#include <vector>

#include "character_finder_screen.h"
#include "character_finder_text.h"
#include "code_pages_here.h"
#include "qt_text.h"
#include "result_announcer.h"

namespace zentavo {

// The matches as one list, shown anew in a single reset for each query: a screen reader is told
// once that the list changed, not once for each of dozens of rows.
class MatchesModel final : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  void Show(const std::vector<FinderRow>& rows) {
    beginResetModel();
    rows_.clear();
    for (const FinderRow& row : rows) {
      const QString name = ToQString(row.name);
      rows_.push_back({row.code, ToQString(row.character) + u'\t' + name, name});
    }
    endResetModel();
  }
  [[nodiscard]] int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= rowCount({})) return {};
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) return row.shown;
    if (role == Qt::AccessibleTextRole) return row.name;
    if (role == Qt::UserRole) return row.code;
    return {};
  }

 private:
  struct Row {
    std::uint8_t code;
    QString shown;
    QString name;
  };
  std::vector<Row> rows_;
};

CharacterFinderDialog::CharacterFinderDialog(QWidget* parent)
    : QDialog(parent),
      query_(new QLineEdit(this)),
      list_(new QListView(this)),
      matches_(new MatchesModel(this)),
      outside_(new QLabel(this)),
      use_(nullptr),
      announcer_(new ResultAnnouncer(this)),
      announce_later_(new QTimer(this)) {
  announce_later_->setSingleShot(true);
  announce_later_->setInterval(kFinderAnnouncementDelayMilliseconds);
  connect(announce_later_, &QTimer::timeout, this, &CharacterFinderDialog::AnnounceMatches);
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
  list_->setModel(matches_);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
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
  connect(list_, &QListView::activated, this, &CharacterFinderDialog::UseChosenRow);
  query_->installEventFilter(this);
}

void CharacterFinderDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  query_->setFocus(Qt::ActiveWindowFocusReason);
}

// Down in the field moves into the list, at its first row.
bool CharacterFinderDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == query_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down && DownMovesIntoList(screen_)) {
    list_->setFocus(Qt::TabFocusReason);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void CharacterFinderDialog::Search(const QString& query) {
  screen_ = FinderScreenFor(ToU16View(query), CodePagesHere());
  matches_->Show(screen_.rows);
  if (screen_.chosen) list_->setCurrentIndex(matches_->index(static_cast<int>(*screen_.chosen)));
  outside_->setText(ToQString(screen_.outside_line));
  outside_->setVisible(!screen_.outside_line.empty());
  use_->setEnabled(screen_.use_enabled);
  if (screen_.announce_later) {
    announce_later_->start();  // again from the start at each change
  } else {
    announce_later_->stop();
  }
}

void CharacterFinderDialog::AnnounceMatches() {
  announcer_->Announce(ToQString(screen_.announcement));
}

// Enter in the field takes the first row, which is the current one until the user moves.
void CharacterFinderDialog::UseChosenRow() {
  const QModelIndex row = list_->currentIndex();
  if (!row.isValid()) return;  // nothing found: the finder stays open
  chosen_ = static_cast<std::uint8_t>(row.data(Qt::UserRole).toUInt());
  accept();
}

}  // namespace zentavo
