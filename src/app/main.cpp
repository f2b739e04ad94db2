#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Tarvelin"));
  window.resize(974, 600);
  window.show();
  return app.exec();
}
