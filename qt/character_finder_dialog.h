// The character finder in the Qt program: a search field, the matches, and "Use" and "Cancel",
// over what the toolkit-free finder answers.
#pragma once

#include <QDialog>

#include <cstdint>
#include <optional>

#include "character_finder_screen.h"

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace zentavo {

class ResultAnnouncer;

class CharacterFinderDialog final : public QDialog {
  Q_OBJECT

 public:
  // Opens with the focus in the empty search field.
  explicit CharacterFinderDialog(QWidget* parent);

  // The code the user chose to use, once the dialog is accepted.
  [[nodiscard]] std::optional<std::uint8_t> ChosenCode() const { return chosen_; }
  [[nodiscard]] QLineEdit* QueryField() const { return query_; }
  [[nodiscard]] QListView* Matches() const { return list_; }
  [[nodiscard]] const ResultAnnouncer* Announcer() const { return announcer_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Search(const QString& query);
  void UseChosenRow();
  void AnnounceMatches();

  QLineEdit* query_;
  QListView* list_;
  class MatchesModel* matches_;
  QLabel* outside_;
  QPushButton* use_;
  ResultAnnouncer* announcer_;
  class QTimer* announce_later_;
  FinderScreen screen_;
  std::optional<std::uint8_t> chosen_;
};

}  // namespace zentavo
