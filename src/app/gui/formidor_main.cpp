// Formidor: the desktop application.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Formidor 2021 by Quillon Software");
    QApplication::setApplicationDisplayName("Formidor 2021 by Quillon Software");
    QMainWindow w;
    w.setWindowTitle("Formidor 2021 13.0");
    auto* l = new QLabel("Formidor 2021 13.0", &w);
    l->setAlignment(Qt::AlignCenter);
    w.setCentralWidget(l);
    w.resize(640, 480);
    w.show();
    return app.exec();
}
