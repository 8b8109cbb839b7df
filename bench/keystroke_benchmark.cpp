// Keystroke latency in the real window, on Qt's offscreen platform: from a key event into
// txtDeASCII until txtParaCar holds the new character and has been repainted; and the
// code-to-character handler alone over the window's text box access.
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <chrono>

#include "form1.h"
#include "handlers.h"
#include "notification_bindings.h"
#include "paint_watcher.h"

namespace {

using zentavo::bench::PaintWatcher;

void Press(QWidget* widget, Qt::Key key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &press);
  QApplication::sendEvent(widget, &release);
}

void BM_KeystrokeToRepaintedCharacter(benchmark::State& state) {
  zentavo::Form1 form;
  zentavo::BindNotifications(form);
  form.Show();
  QApplication::processEvents();
  QLineEdit* input = form.TextBox("txtDeASCII");
  QLineEdit* output = form.TextBox("txtParaCar");
  PaintWatcher watcher;
  output->installEventFilter(&watcher);
  input->setText("6");
  QApplication::processEvents();

  bool add_five = true;  // alternates "6" -> "65" (A) and "65" -> "6" (code 6)
  for (auto _ : state) {
    watcher.painted = false;
    const auto start = std::chrono::steady_clock::now();
    if (add_five) {
      Press(input, Qt::Key_5, QStringLiteral("5"));
    } else {
      Press(input, Qt::Key_Backspace, QString());
    }
    while (!watcher.painted) QApplication::processEvents();
    const auto end = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    if (output->text() != (add_five ? QStringLiteral("A") : QString(QChar(6)))) {
      state.SkipWithError("txtParaCar does not hold the expected character");
      break;
    }
    add_five = !add_five;
  }
}
BENCHMARK(BM_KeystrokeToRepaintedCharacter)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_CodeToCharacterHandlerOnTheWindow(benchmark::State& state) {
  zentavo::Form1 form;  // no bindings: the handler runs only when called here
  form.ReplaceText("txtDeASCII", u"65");
  for (auto _ : state) zentavo::CodeToCharacterHandler(form);
  if (form.ReadText("txtParaCar") != u"A") state.SkipWithError("wrong character");
}
BENCHMARK(BM_CodeToCharacterHandlerOnTheWindow);

}  // namespace
