// The floor of the benchmarks: the least a Qt 6 Widgets program can do to
// show a window of the program's size, an application and one empty widget.
// It carries the same timestamp probes as the program's benchmark build.
// With the argument "text" it also shows one line of text in a label: what
// any window that says something pays for fonts and text layout. With the
// argument "ticking" that label shows a new number every 85 ms: the least any
// window pays for showing something new at the program's idle pace.
#include "bench/hooks/bench_probes.h"

#include <QApplication>
#include <QLabel>
#include <QRandomGenerator>
#include <QTimer>
#include <QWidget>

#include <cstring>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(731, 496);
    const bool ticking = argc > 1 && std::strcmp(argv[1], "ticking") == 0;
    if (ticking || (argc > 1 && std::strcmp(argv[1], "text") == 0)) {
        auto* label = new QLabel(QStringLiteral("Toplam soru sayısı : 0"), &window);
        label->move(16, 16);
        if (ticking) {
            auto* timer = new QTimer(&window);
            QObject::connect(timer, &QTimer::timeout, label, [label] {
                label->setText(QStringLiteral("Toplam soru sayısı : %1")
                                   .arg(QRandomGenerator::global()->bounded(1, 101)));
            });
            timer->start(85);
        }
    }
    vorlen::bench::installProbes(window);
    window.show();
    return QApplication::exec();
}
