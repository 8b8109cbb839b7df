// Another program's plain-text editor, as a drag source: its drags offer a move, so a drop that
// is wrongly accepted takes the text out of it. It writes what it holds to a file on every
// change, for the test to read.
//   plain_text_editor TEXT HELD_TEXT_FILE
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: plain_text_editor TEXT HELD_TEXT_FILE\n");
    return 2;
  }
  const QString held_text_file = QString::fromLocal8Bit(argv[2]);
  QPlainTextEdit editor;
  editor.setWindowTitle(QStringLiteral("Drag source"));
  QObject::connect(&editor, &QPlainTextEdit::textChanged, &editor, [&] {
    QSaveFile file(held_text_file);  // whole or not at all, so a reader never sees half of it
    if (file.open(QIODevice::WriteOnly)) {
      file.write(editor.toPlainText().toUtf8());
      file.commit();
    }
  });
  editor.setPlainText(QString::fromUtf8(argv[1]));
  editor.setGeometry(0, 400, 400, 120);
  editor.show();
  return application.exec();
}
