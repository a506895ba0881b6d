// Development tool: formidor-screenshots DIR saves a PNG of every page and window.
#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::fprintf(stderr, "formidor-screenshots: noch nichts zu zeigen\n");
    return 0;
}
