#include "form1.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QString>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

#include "accessibility_table.h"
#include "accessible_interfaces.h"
#include "application_icon.h"
#include "caption_fitting.h"
#include "character_finder_dialog.h"
#include "character_finder_screen.h"
#include "character_finder_text.h"
#include "character_pictures.h"
#include "code_pages_here.h"
#include "code_stepping.h"
#include "copy_as.h"
#include "focus_order.h"
#include "font_choice.h"
#include "keyboard_here.h"
#include "layout_table.h"
#include "qt_text.h"
#include "result_announcer.h"
#include "row_details.h"
#include "text_box.h"
#include "windows1252_validator.h"

namespace zentavo {
namespace {

using layout::ControlKind;
using layout::ControlRecord;
using layout::TwipsToPixels;

QRect ToQRect(const layout::PixelRect& place) {
  return QRect(place.left, place.top, place.width(), place.height());
}

QFont FontFromRecord(const layout::FontRecord& record) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  // The installed families are listed once the font database is up; hasFamily would also have
  // the font system resolve the name as an alias, which costs more than it saves.
  const std::u16string_view face = FaceToAskFor(record, [](std::u16string_view wanted) {
    return QFontDatabase::families().contains(ToQString(wanted), Qt::CaseInsensitive);
  });
  if (!face.empty()) font.setFamilies({ToQString(face), font.family()});
  font.setPointSize(record.point_size);
  font.setWeight(IsBold(record) ? QFont::Bold : QFont::Normal);
  font.setItalic(record.italic);
  font.setUnderline(record.underline);
  font.setStrikeOut(record.strike_out);
  // Every Windows-1252 character is Latin or common script, which needs no shaping: glyphs from
  // the character map alone lay a line out in half the time, and no ligature joins two
  // characters the user is reading one by one.
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

QWidget* CreateLabel(const ControlRecord& record, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setText(ToQString(record.text));
  return label;
}

QWidget* CreateTextBox(const ControlRecord& record, QWidget* parent) {
  auto* box = new TextBox(parent);
  box->setValidator(new Windows1252Validator(box));
  box->setText(ToQString(record.text));
  box->setCursorPosition(0);  // an initial text wider than its box shows its start
  box->setAccessibleName(ToQString(accessibility::AccessibleName(record.name)));
  return box;
}

QWidget* CreatePushButton(const ControlRecord& record, QWidget* parent) {
  auto* button = new QPushButton(ToQString(record.text), parent);
  // Outside a dialog this only lets Enter press the button while it has the focus; it makes
  // it no default button for Enter in the text boxes.
  button->setAutoDefault(true);
  return button;
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
  InstallAccessibleInterfaces();
  const layout::LayoutTable& table = layout::kLayoutTable;
  setObjectName(ToQString(table.window.name));
  setWindowTitle(ToQString(table.window.caption));
  // The window's font, set before any control is made, so each control is laid out in it from
  // the first; menus, tooltips and message boxes keep the platform's.
  setFont(FontFromRecord(table.window_font));
  setFixedSize(TwipsToPixels(table.window.client_width), TwipsToPixels(table.window.client_height));

  const QFont banner_font = FontFromRecord(table.banner_font);
  std::vector<QLabel*> labels;
  for (const ControlRecord& record : table.controls) {
    QWidget* control = nullptr;
    switch (record.kind) {
      case ControlKind::Label:
        control = CreateLabel(record, this);
        labels.push_back(static_cast<QLabel*>(control));
        break;
      case ControlKind::TextBox: {
        control = CreateTextBox(record, this);
        auto* box = static_cast<zentavo::TextBox*>(control);
        box->SetCopyAsForms(
            [this, name = record.name] { return CopyAsForms(name, *this, CodePagesHere()); });
        box->SetCodeStepping(record.name == kSteppingBox);
        box->SetFindCharacter([this] { FindCharacter(); });
        *std::find(text_boxes_.begin(), text_boxes_.end(), nullptr) = box;
        break;
      }
      case ControlKind::PushButton:
        control = CreatePushButton(record, this);
        exit_button_ = static_cast<QPushButton*>(control);
        break;
      case ControlKind::Line:
        continue;  // painted on the window's own surface
    }
    control->setObjectName(ToQString(record.name));
    control->setGeometry(ToQRect(layout::ToPixels(std::get<layout::TwipRect>(record.place))));
    if (record.font == layout::FontChoice::Banner) control->setFont(banner_font);
  }

  // Labels lie beneath the boxes and the button whatever their place in the table.
  auto* caption_fitting = new CaptionFitting(this);
  for (QLabel* label : labels) {
    label->lower();
    label->installEventFilter(caption_fitting);
  }

  const auto focus_order = FocusOrder();
  for (std::size_t i = 1; i < focus_order.size(); ++i) {
    setTabOrder(findChild<QWidget*>(ToQString(focus_order[i - 1]), Qt::FindDirectChildrenOnly),
                findChild<QWidget*>(ToQString(focus_order[i]), Qt::FindDirectChildrenOnly));
  }

  // A buddy links a label to its box for screen readers; no caption has an '&', so none gains
  // an access key by it.
  for (const accessibility::PromptRecord& prompt : accessibility::kPrompts) {
    findChild<QLabel*>(ToQString(prompt.label), Qt::FindDirectChildrenOnly)
        ->setBuddy(TextBoxOrThrow(prompt.box));
  }
  new CharacterPictures(TextBoxOrThrow(control_names::kCharacterOutput));
  auto* announcer = new ResultAnnouncer(this);
  keyboard_ = new KeyboardHere(this);
  for (const accessibility::RowRecord& row : accessibility::kRows) {
    new RowDetails(row, TextBoxOrThrow(row.input_box), TextBoxOrThrow(row.output_box), announcer,
                   keyboard_);
  }
}

void Form1::FindCharacter() {
  CharacterFinderDialog finder(this);
  if (finder.exec() != QDialog::Accepted || !finder.ChosenCode()) return;
  auto* box = static_cast<zentavo::TextBox*>(TextBoxOrThrow(kFoundCodeBox));
  box->setFocus(Qt::OtherFocusReason);
  box->ReplaceAll(ToQString(FoundCodeText(*finder.ChosenCode())));
}

void Form1::Show() {
  TextBoxOrThrow(kFirstFocus)->setFocus(Qt::OtherFocusReason);
  show();
}

QLineEdit* Form1::TextBox(std::string_view name) const {
  const QString wanted = ToQString(name);
  const auto found =
      std::find_if(text_boxes_.begin(), text_boxes_.end(),
                   [&](const QLineEdit* box) { return box->objectName() == wanted; });
  return found == text_boxes_.end() ? nullptr : *found;
}

QLineEdit* Form1::TextBoxOrThrow(std::string_view name) const {
  QLineEdit* box = TextBox(name);
  if (box == nullptr)
    throw std::invalid_argument("Form1 has no text box named " + std::string(name));
  return box;
}

std::u16string Form1::ReadText(std::string_view box) const {
  return std::u16string(ToU16View(TextBoxOrThrow(box)->text()));
}

std::u16string Form1::ReadTextStart(std::string_view box, std::size_t characters) const {
  const QString text = TextBoxOrThrow(box)->text();  // shared with the box, not copied
  return std::u16string(ToU16View(text).substr(0, characters));
}

void Form1::ReplaceText(std::string_view box, std::u16string_view text) {
  TextBoxOrThrow(box)->setText(ToQString(text));
}

void Form1::paintEvent(QPaintEvent* /*event*/) {
  if (!icon_given_) {
    // Decoded once the window is on the screen rather than before: the window system shows the
    // icon a moment after the window, and the window itself comes that much sooner.
    icon_given_ = true;
    QMetaObject::invokeMethod(
        this, [this] { setWindowIcon(ApplicationIcon(devicePixelRatio())); }, Qt::QueuedConnection);
  }
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  for (const ControlRecord& record : layout::kLayoutTable.controls) {
    if (record.kind != ControlKind::Line) continue;
    const auto& segment = std::get<layout::TwipSegment>(record.place);
    painter.drawLine(TwipsToPixels(segment.x1), TwipsToPixels(segment.y1),
                     TwipsToPixels(segment.x2), TwipsToPixels(segment.y2));
  }
}

}  // namespace zentavo
