// The floor for start-up measurements: a bare Qt Widgets window of Zentavo's size with the
// same kinds and number of widgets in the same places, and nothing else: no fonts, icon,
// validators, tab order or handlers.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "layout_table.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Zentavo floor"));
  using zentavo::layout::TwipsToPixels;
  const auto& table = zentavo::layout::kLayoutTable;
  window.resize(TwipsToPixels(table.window.client_width),
                TwipsToPixels(table.window.client_height));
  for (const auto& control : table.controls) {
    const auto* place = std::get_if<zentavo::layout::TwipRect>(&control.place);
    if (place == nullptr) continue;
    const QString text =
        QString::fromUtf16(control.text.data(), static_cast<qsizetype>(control.text.size()));
    QWidget* widget = nullptr;
    switch (control.kind) {
      case zentavo::layout::ControlKind::Label:
        widget = new QLabel(text, &window);
        break;
      case zentavo::layout::ControlKind::TextBox:
        widget = new QLineEdit(text, &window);
        break;
      default:
        widget = new QPushButton(text, &window);
        break;
    }
    widget->setGeometry(TwipsToPixels(place->left), TwipsToPixels(place->top),
                        TwipsToPixels(place->width), TwipsToPixels(place->height));
  }
  window.show();
  return QApplication::exec();
}
