// The floor of the benchmarks: the least a Qt 6 Widgets program can do to
// show a window of the program's size, an application and one empty widget.
// It carries the same timestamp probes as the program's benchmark build.
// With the argument "text" it also shows one line of text in a label: what
// any window that says something pays for fonts and text layout.
#include "bench/hooks/bench_probes.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(731, 496);
    if (argc > 1 && std::strcmp(argv[1], "text") == 0) {
        auto* label = new QLabel(QStringLiteral("Toplam soru sayısı : 0"), &window);
        label->move(16, 16);
    }
    vorlen::bench::installProbes(window);
    window.show();
    return QApplication::exec();
}
