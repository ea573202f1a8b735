// The floor of the whole window: every part the resting window shows, done
// the plainest Qt Widgets way, at its drawn place (96 dpi) with its caption,
// its colour and the installed face that stands in for its design face. The
// wrong-answer panel and the dedication panel are made too, hidden, as a
// program that builds its whole window at start makes them. Every 85 ms both
// numbers and the four disabled answers get new values, as the idle samples
// do. Plain QFrame, QLabel, QPushButton, QComboBox and QLineEdit: no painting
// of its own, no model. It carries the timestamp probes of bench/hooks.
//
// Usage: vorlen_floor_window [PICTURE.png]   (the dedication picture, loaded
// into the hidden panel when given)
#include "bench/hooks/bench_probes.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QWidget>

namespace {
QRect px(int x, int y, int w, int h)
{
    return QRect(x / 15, y / 15, w / 15, h / 15);
}
QFont face(const char* family, double points, bool bold)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}
QFrame* panel(QWidget* w, QRect r, bool shown)
{
    auto* p = new QFrame(w);
    p->setGeometry(r);
    p->setFrameShape(QFrame::Box);
    p->setVisible(shown);
    return p;
}
QLabel* label(QWidget* in, QRect r, const QString& text, const QFont& f, const char* colour,
              Qt::Alignment a = Qt::AlignLeft | Qt::AlignTop)
{
    auto* l = new QLabel(text, in);
    l->setGeometry(r);
    l->setFont(f);
    l->setAlignment(a);
    l->setStyleSheet(QString("color:%1").arg(colour));
    return l;
}
QPushButton* button(QWidget* in, QRect r, const QString& text, const QFont& f, const char* colour)
{
    auto* b = new QPushButton(text, in);
    b->setGeometry(r);
    b->setFont(f);
    b->setStyleSheet(QString("color:%1").arg(colour));
    return b;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget w;
    w.setFixedSize(731, 496);
    w.setWindowTitle("Vorlen floor window");
    const QFont settings = face("Liberation Sans", 18, true), question = face("DejaVu Sans", 48, true),
                answer = face("DejaVu Sans Condensed", 36, true), score = face("Andika", 11.25, true),
                warning = face("Lato Black", 15.75, false), correct = face("DejaVu Sans Condensed", 18, true),
                small = face("Liberation Sans", 8.25, false), okBig = face("Liberation Sans", 13.5, true),
                okSmall = face("Liberation Sans", 12, true);
    QFrame *f2 = panel(&w, px(255, 240, 10455, 1095), true),
           *f1 = panel(&w, px(255, 1440, 10455, 4215), true),
           *f4 = panel(&w, px(255, 5760, 10455, 1455), true),
           *f5 = panel(&w, px(3202, 4850, 4560, 2250), false),
           *f3 = panel(&w, px(3135, 960, 4695, 4815), false);
    label(f2, px(900, 360, 2355, 435), "Sorma Şekli :", settings, "black");
    button(f2, px(7560, 300, 1785, 555), "Başla", settings, "red");
    for (int x : {3420, 5490}) {
        auto* c = new QComboBox(f2);
        c->setGeometry(px(x, 300, 1905, 555));
        c->setFont(settings);
        if (x == 3420)
            c->addItems({"Tümü", "1 ler", "2 ler", "3 ler", "4 ler", "5 ler", "6 lar", "7 ler", "8 ler",
                         "9 lar", "10 lar"});
        else
            c->addItems({"Sıralı", "Karışık"});
    }
    QLabel* a = label(f1, px(3750, 645, 690, 1170), "3", question, "red", Qt::AlignCenter);
    label(f1, px(4920, 645, 645, 1170), "x", question, "red", Qt::AlignCenter);
    QLabel* b = label(f1, px(6045, 645, 690, 1170), "3", question, "red", Qt::AlignCenter);
    QPushButton* answers[4];
    for (int i = 0; i < 4; ++i) {
        answers[i] = button(f1, px(915 + 2280 * i, 2400, 1740, 930), "32", answer, "blue");
        answers[i]->setEnabled(false);
    }
    auto* text1 = new QLineEdit("Text1", f1);
    text1->setGeometry(px(1440, 480, 975, 375));
    text1->hide();
    label(f4, px(240, 450, 3495, 585),
          "Çarpım tablosunu öğrenen\nbütün çocuklara, sevgiyle\narmağan edilmiştir.", small, "darkblue");
    label(f4, px(7560, 240, 2295, 315), "Toplam soru sayısı : ", score, "blue");
    label(f4, px(9840, 240, 405, 315), "0", score, "blue");
    label(f4, px(8235, 585, 1620, 315), "Doğru sayısı : ", score, "green");
    label(f4, px(9840, 585, 405, 315), "0", score, "green");
    label(f4, px(8250, 930, 1605, 315), "Yanlış sayısı : ", score, "red");
    label(f4, px(9840, 930, 405, 315), "0", score, "red");
    label(f5, px(1208, 180, 2145, 450), "!!! YANLIŞ !!!", warning, "darkred");
    label(f5, px(1118, 840, 2325, 435), "DOĞRU CEVAP : 12", correct, "green");
    button(f5, px(1545, 1590, 1470, 405), "Tamam", okSmall, "blue");
    for (int i = 0; i < 3; ++i) {
        auto* line = new QFrame(f5);
        line->setFrameShape(QFrame::HLine);
        line->setGeometry(0, 30 + 20 * i, 300, 2);
    }
    auto* picture = new QLabel(f3);
    picture->setGeometry(px(240, 240, 3900, 2250));
    if (argc > 1)
        picture->setPixmap(QPixmap(QString::fromLocal8Bit(argv[1])));
    button(f3, px(1418, 3840, 1785, 465), "Tamam", okBig, "blue");
    QTimer t;
    QObject::connect(&t, &QTimer::timeout, [&] {
        auto* r = QRandomGenerator::global();
        a->setText(QString::number(r->bounded(1, 11)));
        b->setText(QString::number(r->bounded(1, 11)));
        for (auto* p : answers)
            p->setText(QString::number(r->bounded(1, 101)));
    });
    t.start(85);
    vorlen::bench::installProbes(w);
    w.show();
    return app.exec();
}
