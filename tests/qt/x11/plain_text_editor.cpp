// Another program's plain-text editor, as a drag source: its drags offer a move, so a drop that
// is wrongly accepted takes the text out of it. It writes what it holds to a file on every
// change, and appends to a second file a line for each drag it made once that drag is over,
// with the action the drag last had ("ignore" once a target refused it), for the test to read.
//   plain_text_editor TEXT HELD_TEXT_FILE DRAGS_FILE
#include <QApplication>
#include <QChildEvent>
#include <QDrag>
#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSaveFile>
#include <QString>
#include <QTimer>

#include <cstdio>

namespace {

const char* NameOf(Qt::DropAction action) {
  switch (action) {
    case Qt::MoveAction:
      return "move";
    case Qt::CopyAction:
      return "copy";
    case Qt::IgnoreAction:
      return "ignore";
    default:
      return "other";
  }
}

// Follows each drag the editor starts: a drag object is made just before its drag loop runs, and
// is complete by the time that loop takes its first event.
class DragRecorder final : public QObject {
 public:
  explicit DragRecorder(QString file) : file_(std::move(file)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ChildAdded) {
      QPointer<QObject> child = static_cast<QChildEvent*>(event)->child();
      QTimer::singleShot(0, this, [this, child] { Follow(qobject_cast<QDrag*>(child.data())); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Follow(QDrag* drag) {
    if (drag == nullptr) return;
    auto* last = new Qt::DropAction(Qt::IgnoreAction);
    connect(drag, &QDrag::actionChanged, drag, [last](Qt::DropAction action) { *last = action; });
    connect(drag, &QObject::destroyed, this, [this, last] {
      QFile file(file_);
      if (file.open(QIODevice::Append)) {
        file.write(QByteArray("ended: ") + NameOf(*last) + "\n");
      }
      delete last;
    });
  }

  QString file_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: plain_text_editor TEXT HELD_TEXT_FILE DRAGS_FILE\n");
    return 2;
  }
  const QString held_text_file = QString::fromLocal8Bit(argv[2]);
  DragRecorder recorder(QString::fromLocal8Bit(argv[3]));
  application.installEventFilter(&recorder);
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
