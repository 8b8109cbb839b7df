#include "key_press.h"

#include <QKeyEvent>

namespace zentavo {
namespace {

Key KeyOf(int key) {
  switch (key) {
    case Qt::Key_A:
      return Key::A;
    case Qt::Key_C:
      return Key::C;
    case Qt::Key_F:
      return Key::F;
    case Qt::Key_V:
      return Key::V;
    case Qt::Key_X:
      return Key::X;
    case Qt::Key_Y:
      return Key::Y;
    case Qt::Key_Z:
      return Key::Z;
    case Qt::Key_Insert:
      return Key::Insert;
    case Qt::Key_Delete:
      return Key::Delete;
    case Qt::Key_Backspace:
      return Key::Backspace;
    case Qt::Key_Up:
      return Key::Up;
    case Qt::Key_Down:
      return Key::Down;
    case Qt::Key_PageUp:
      return Key::PageUp;
    case Qt::Key_PageDown:
      return Key::PageDown;
    default:
      return Key::Other;
  }
}

}  // namespace

KeyPress PressOf(const QKeyEvent& event) {
  const Qt::KeyboardModifiers held = event.modifiers() & ~Qt::KeypadModifier;
  if (held.testFlag(Qt::MetaModifier)) return {};  // the desktop's, never the box's
  return {KeyOf(event.key()), held.testFlag(Qt::ControlModifier), held.testFlag(Qt::ShiftModifier),
          held.testFlag(Qt::AltModifier)};
}

}  // namespace zentavo
