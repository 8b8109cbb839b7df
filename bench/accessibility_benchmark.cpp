// What a screen reader's text queries cost inside the program, on Qt's offscreen platform: the
// word, sentence and character at an offset, the attribute run, and a character's place on the
// screen, for a box holding one character and one holding a megabyte.
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include "form1.h"

namespace {

QAccessibleTextInterface& TextInterface(QLineEdit* box) {
  return *QAccessible::queryAccessibleInterface(box)->textInterface();
}

// Arguments: the text's length (1 or 1 MiB) and where in it to ask (per mille of the length).
void RunQuery(benchmark::State& state, QAccessible::TextBoundaryType boundary) {
  zentavo::Form1 form;
  QLineEdit* box = form.TextBox("txtParaASCII");
  const auto length = static_cast<qsizetype>(state.range(0));
  box->setText(length == 1 ? QStringLiteral("\u2013")
                           : QStringLiteral("65 ") + QString(length - 3, u'6'));
  const int offset = static_cast<int>(length * state.range(1) / 1000);
  QAccessibleTextInterface& text = TextInterface(box);
  int start = 0;
  int end = 0;
  for (auto _ : state) benchmark::DoNotOptimize(text.textAtOffset(offset, boundary, &start, &end));
}

void BM_WordAtOffset(benchmark::State& state) { RunQuery(state, QAccessible::WordBoundary); }
void BM_SentenceAtOffset(benchmark::State& state) {
  RunQuery(state, QAccessible::SentenceBoundary);
}
void BM_CharacterAtOffset(benchmark::State& state) { RunQuery(state, QAccessible::CharBoundary); }
void BM_LineAtOffset(benchmark::State& state) { RunQuery(state, QAccessible::LineBoundary); }

void BM_AttributeRun(benchmark::State& state) {
  zentavo::Form1 form;
  QLineEdit* box = form.TextBox("txtParaASCII");
  box->setText(QString(static_cast<qsizetype>(state.range(0)), u'6'));
  QAccessibleTextInterface& text = TextInterface(box);
  int start = 0;
  int end = 0;
  for (auto _ : state) benchmark::DoNotOptimize(text.attributes(0, &start, &end));
}

void BM_CharacterRect(benchmark::State& state) {
  zentavo::Form1 form;
  form.Show();
  QLineEdit* box = form.TextBox("txtParaASCII");
  box->setText(QString(static_cast<qsizetype>(state.range(0)), u'6'));
  box->setCursorPosition(0);
  QApplication::processEvents();
  QAccessibleTextInterface& text = TextInterface(box);
  for (auto _ : state) benchmark::DoNotOptimize(text.characterRect(1));
}

constexpr int kMegabyte = 1 << 20;
BENCHMARK(BM_WordAtOffset)
    ->Args({1, 0})
    ->Args({kMegabyte, 0})
    ->Args({kMegabyte, 500})
    ->Args({kMegabyte, 1000});
BENCHMARK(BM_SentenceAtOffset)->Args({1, 0})->Args({kMegabyte, 500})->Args({kMegabyte, 1000});
BENCHMARK(BM_CharacterAtOffset)->Args({1, 0})->Args({kMegabyte, 500});
BENCHMARK(BM_LineAtOffset)->Args({kMegabyte, 500});
BENCHMARK(BM_AttributeRun)->Arg(1)->Arg(kMegabyte);
BENCHMARK(BM_CharacterRect)->Arg(3)->Arg(kMegabyte);

}  // namespace
