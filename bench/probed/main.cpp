// The program as the benchmarks run it: the same application and window as
// app/main.cpp, with the timestamp probes of bench/hooks installed, which
// bench/run.sh reads. Nothing of it is in the program that families get.
#include "bench/hooks/bench_probes.h"
#include "bench/hooks/quiz_presses.h"
#include "window/application.h"
#include "window/form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vorlen::setUpApplication();
    return vorlen::runWindow(
        [](Form1& window) { vorlen::bench::installProbes(window, vorlen::bench::quizPresses(window)); });
}
