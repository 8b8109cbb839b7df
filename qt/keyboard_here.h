// The keyboard in use, followed as it changes: on X11 (XWayland too) the server's keymap and
// active group, read on the toolkit's own connection; natively on Wayland the compositor's keymap
// where the toolkit hands out its seat, else the layout the system is set to. The compose table
// is the one the toolkit's compose input reads. All of it is read on a thread of its own, so the
// window never waits for a keymap or a compose table, however large.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QTimer>

#include <memory>

#include "keyboard_ways.h"

namespace zentavo {

class KeyboardReader;
class WaylandKeymapFeed;

class KeyboardHere final : public QObject, public QAbstractNativeEventFilter {
  Q_OBJECT

 public:
  explicit KeyboardHere(QObject* parent = nullptr);
  ~KeyboardHere() override;

  // Reads the layout in use and follows it from then on; the first call only. KeyboardWaysHere
  // calls it as details are first asked for.
  void Start();
  // The ways of the layout last read; null until one has been.
  [[nodiscard]] const KeyboardWays* Ways() const { return ways_.get(); }

 signals:
  // The layout in use has been read anew.
  void Changed();

 private:
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;
  void StartOnX11();
  void ReadSoon();
  void ReadNow();
  void Take(std::shared_ptr<const KeyboardWays> ways);

  std::unique_ptr<KeyboardReader> reader_;
  std::unique_ptr<WaylandKeymapFeed> wayland_;
  std::shared_ptr<const KeyboardWays> ways_;
  QTimer read_soon_;  // gathers the burst of notices one layout switch makes into one reading
  int xkb_base_event_ = -1;
  int x11_device_ = -1;
  unsigned x11_group_ = 0;
};

// The running window's keyboard ways, for the row details; null while none is known. The first
// call starts reading them.
[[nodiscard]] const KeyboardWays* KeyboardWaysHere();

}  // namespace zentavo
