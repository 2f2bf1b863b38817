// A text field in a process of its own, the target of the hotkeys in the
// desktop tests. It matches Ctrl+C and Ctrl+V by keysym, as Tk and some
// Java and Electron programs do, so a copy key sent in a Hebrew group
// reaches it as no copy at all. Every change of its text is written to the
// file named on the command line.
//
// Usage: quorvandel-text-field OUTPUT-FILE TEXT
#include <X11/keysym.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSaveFile>

namespace {

class Keysym_field : public QPlainTextEdit {
 public:
  explicit Keysym_field(QString output) : output_(std::move(output)) {
    connect(this, &QPlainTextEdit::textChanged, this, [this] { Write(); });
  }

  void Write() {
    QSaveFile file(output_);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(toPlainText().toUtf8());
    file.commit();
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->modifiers() & Qt::ControlModifier) {
      const quint32 keysym = event->nativeVirtualKey();
      if (keysym == XK_c || keysym == XK_C) copy();
      if (keysym == XK_v || keysym == XK_V) paste();
      return;  // other control keys, and copy keys of other groups, do nothing
    }
    QPlainTextEdit::keyPressEvent(event);
  }

 private:
  QString output_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3) return 2;
  Keysym_field field(QString::fromLocal8Bit(argv[1]));
  field.setWindowTitle("Quorvandel test field");
  field.setPlainText(QString::fromUtf8(argv[2]));
  field.selectAll();
  field.resize(400, 120);
  field.show();
  field.Write();
  return QApplication::exec();
}
