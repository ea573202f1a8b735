// The floor of the benchmarks: the least a Qt 6 Widgets program can do to
// show a window of the program's size, an application and one empty widget.
// It carries the same timestamp probes as the program's benchmark build.
// With the argument "text" it also shows one line of text in a label: what
// any window that says something pays for fonts and text layout. With the
// argument "ticking" that label shows a new number every 85 ms: the least any
// window pays for showing something new at the program's idle pace.
// With "plain" it shows what the program shows while idle, done the plainest
// way: the question's two 48 pt numbers in QLabels and the four 36 pt answers
// in QPushButtons, where the program has them; "plain-ticking" sets all six
// anew every 85 ms, as the program's idle samples do.
#include "bench/hooks/bench_probes.h"
#include "design/design.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstring>

namespace {

using vorlen::design::Part;

QRect placeOf(Part part)
{
    const auto& row = vorlen::design::row(part);
    const vorlen::design::Rect inner = row.control->place;
    vorlen::design::Rect outer{};
    for (const auto& panel : vorlen::design::panels) {
        if (panel.part == row.panel) {
            outer = panel.place;
        }
    }
    return {vorlen::design::px(outer.left + inner.left), vorlen::design::px(outer.top + inner.top),
            vorlen::design::px(inner.width), vorlen::design::px(inner.height)};
}

void showPlain(QWidget& window, bool ticking)
{
    std::array<QLabel*, 2> numbers{};
    std::array<QPushButton*, 4> answers{};
    const std::array numberParts{Part::Label1, Part::Label3};
    const std::array answerParts{Part::cev1, Part::cev2, Part::cev3, Part::cev4};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        numbers.at(i) = new QLabel(QStringLiteral("3"), &window);
        numbers.at(i)->setFont(QFont(QStringLiteral("DejaVu Sans"), 48, QFont::Bold));
        numbers.at(i)->setGeometry(placeOf(numberParts.at(i)));
    }
    for (std::size_t i = 0; i < answers.size(); ++i) {
        answers.at(i) = new QPushButton(QStringLiteral("32"), &window);
        answers.at(i)->setFont(QFont(QStringLiteral("DejaVu Sans Condensed"), 36, QFont::Bold));
        answers.at(i)->setGeometry(placeOf(answerParts.at(i)));
        answers.at(i)->setEnabled(false);
    }
    if (!ticking) {
        return;
    }
    auto* timer = new QTimer(&window);
    QObject::connect(timer, &QTimer::timeout, &window, [numbers, answers] {
        auto* random = QRandomGenerator::global();
        const int a = random->bounded(1, 11);
        const int b = random->bounded(1, 11);
        numbers[0]->setText(QString::number(a));
        numbers[1]->setText(QString::number(b));
        for (auto* answer : answers) {
            answer->setText(QString::number(random->bounded(1, 101)));
        }
    });
    timer->start(85);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(731, 496);
    const bool ticking = argc > 1 && std::strcmp(argv[1], "ticking") == 0;
    const bool plainTicking = argc > 1 && std::strcmp(argv[1], "plain-ticking") == 0;
    if (plainTicking || (argc > 1 && std::strcmp(argv[1], "plain") == 0)) {
        showPlain(window, plainTicking);
    } else if (ticking || (argc > 1 && std::strcmp(argv[1], "text") == 0)) {
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
