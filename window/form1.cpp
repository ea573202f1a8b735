#include "window/form1.h"

#include "engine/texts.h"
#include "window/adapters.h"
#include "window/build_settings.h"
#include "window/colours.h"
#include "window/counter_request.h"
#include "window/design.h"
#include "window/fonts.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"
#include "window/quiz_line.h"
#include "window/quiz_list.h"
#include "window/quiz_panel.h"
#include "window/screen_reader.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <exception>
#include <utility>

// The pictures are built into this static library; Q_INIT_RESOURCE must be
// called outside any namespace.
static void initResources()
{
    Q_INIT_RESOURCE(vorlen);
}

using namespace vorlen;

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect pixelRect(int left, int top, int width, int height)
{
    return {design::px(left), design::px(top), design::px(width), design::px(height)};
}

Qt::Alignment toQt(design::Align align)
{
    switch (align) {
    case design::Align::Left:
        return Qt::AlignLeft;
    case design::Align::Right:
        return Qt::AlignRight;
    case design::Align::Center:
        return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

} // namespace

struct Form1::Adapters {
    explicit Adapters(const QHash<QString, QWidget*>& widgets, const QHash<QString, QuizPanel*>& panels,
                      QTimer* timer1, QTimer* timer2, QTimer* timer3)
        : timer1(timer1), timer2(timer2), timer3(timer3)
    {
        for (std::size_t i = 0; i < labels.size(); ++i) {
            labels[i] = std::make_unique<LabelAdapter>(
                qobject_cast<QuizLabel*>(widgets.value(QStringLiteral("Label%1").arg(i + 1))));
        }
        for (std::size_t i = 0; i < frames.size(); ++i) {
            frames[i] = std::make_unique<PanelAdapter>(panels.value(QStringLiteral("Frame%1").arg(i + 1)));
        }
        auto button = [&](const char* name) {
            return std::make_unique<ButtonAdapter>(
                qobject_cast<QuizButton*>(widgets.value(QLatin1String(name))));
        };
        cev1 = button("cev1");
        cev2 = button("cev2");
        cev3 = button("cev3");
        cev4 = button("cev4");
        command9 = button("command9");
        chameleonButton1 = button("chameleonButton1");
        chameleonButton2 = button("chameleonButton2");
        combo1 =
            std::make_unique<ListAdapter>(qobject_cast<QComboBox*>(widgets.value(QStringLiteral("Combo1"))));
        combo2 =
            std::make_unique<ListAdapter>(qobject_cast<QComboBox*>(widgets.value(QStringLiteral("Combo2"))));
        text1 = std::make_unique<TextBoxAdapter>(
            qobject_cast<QLineEdit*>(widgets.value(QStringLiteral("Text1"))));
    }

    Controls controls(WebBrowser& browser)
    {
        return Controls{
            .Label1 = *labels[0],
            .Label2 = *labels[1],
            .Label3 = *labels[2],
            .Label4 = *labels[3],
            .Label5 = *labels[4],
            .Label6 = *labels[5],
            .Label7 = *labels[6],
            .Label8 = *labels[7],
            .Label9 = *labels[8],
            .Label10 = *labels[9],
            .Label11 = *labels[10],
            .Label12 = *labels[11],
            .Label13 = *labels[12],
            .Frame1 = *frames[0],
            .Frame2 = *frames[1],
            .Frame3 = *frames[2],
            .Frame4 = *frames[3],
            .Frame5 = *frames[4],
            .Combo1 = *combo1,
            .Combo2 = *combo2,
            .Text1 = *text1,
            .cev1 = *cev1,
            .cev2 = *cev2,
            .cev3 = *cev3,
            .cev4 = *cev4,
            .command9 = *command9,
            .chameleonButton1 = *chameleonButton1,
            .chameleonButton2 = *chameleonButton2,
            .Timer1 = timer1,
            .Timer2 = timer2,
            .Timer3 = timer3,
            .WebBrowser1 = browser,
        };
    }

    std::array<std::unique_ptr<LabelAdapter>, 13> labels;
    std::array<std::unique_ptr<PanelAdapter>, 5> frames;
    std::unique_ptr<ButtonAdapter> cev1, cev2, cev3, cev4, command9, chameleonButton1, chameleonButton2;
    std::unique_ptr<ListAdapter> combo1, combo2;
    std::unique_ptr<TextBoxAdapter> text1;
    TimerAdapter timer1;
    TimerAdapter timer2;
    TimerAdapter timer3;
};

Form1::Form1() : Form1(Options{})
{
}

namespace {

Form1::Options withCounterPage(const QUrl& counterPage)
{
    Form1::Options options;
    options.counterAddress = counterPage.toString().toStdString();
    return options;
}

} // namespace

Form1::Form1(const QUrl& counterPage) : Form1(withCounterPage(counterPage))
{
}

Form1::Form1(Options options, QWidget* parent) : QWidget(parent), options_(std::move(options))
{
    initResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(windowCaption());
    setFont(toQFont(design::defaultFont));
    setFixedSize(design::px(design::clientWidth), design::px(design::clientHeight));

    buildPanels();
    buildControls();
    buildLines();
    setFocusOrder();

    counter_ = new CounterRequest(options_.counterTimeoutMs, this);
    counter_->setObjectName(QStringLiteral("WebBrowser1"));
    buildTimers();

    adapters_ = std::make_unique<Adapters>(widgets_, panels_, timer1_, timer2_, timer3_);
    engine_ = std::make_unique<QuizEngine>(
        adapters_->controls(*counter_), RandomSource(options_.clock, options_.seed), options_.counterAddress);
    connectEvents();

    auto part = [this](const char* name) { return widgets_.value(QLatin1String(name)); };
    auto label = [&](const char* name) { return qobject_cast<QLabel*>(part(name)); };
    auto button = [&](const char* name) { return qobject_cast<QAbstractButton*>(part(name)); };
    SpokenParts spoken{
        .window = this,
        .questionPanel = panels_.value(QStringLiteral("Frame1")),
        .wrongPanel = panels_.value(QStringLiteral("Frame5")),
        .first = label("Label1"),
        .times = label("Label2"),
        .second = label("Label3"),
        .settingsCaption = label("Label4"),
        .dedication = label("Label5"),
        .warning = label("Label12"),
        .correctLine = label("Label13"),
        .tableList = qobject_cast<QComboBox*>(part("Combo1")),
        .orderList = qobject_cast<QComboBox*>(part("Combo2")),
        .scratchText = part("Text1"),
        .startStop = button("command9"),
        .answers = {button("cev1"), button("cev2"), button("cev3"), button("cev4")},
        .dedicationOk = button("chameleonButton1"),
        .wrongOk = button("chameleonButton2"),
        .counts = {{{label("Label6"), label("Label9")},
                    {label("Label7"), label("Label10")},
                    {label("Label8"), label("Label11")}}},
    };
    screenReader_ = std::make_unique<ScreenReader>(spoken, qs(text::stop));
}

Form1::~Form1()
{
    // The timers must not tick into an engine that is gone.
    for (QTimer* timer : {timer1_, timer2_, timer3_}) {
        timer->stop();
    }
}

QString Form1::windowCaption()
{
    return QStringLiteral("Vorlen   -   Keldar Yazılım ve Bilgisayar Hizmetleri   -   ") +
           QString::fromUtf8(buildsettings::webAddress) + QStringLiteral("   -   ") +
           QString::fromUtf8(buildsettings::phone);
}

std::string Form1::defaultCounterAddress()
{
    return std::string("http://") + buildsettings::counterHost + "/sayac/qelnor.php";
}

void Form1::writeToStandardError(const std::string& line)
{
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

void Form1::buildPanels()
{
    for (const design::Panel& row : design::panels) {
        auto* panel = new QuizPanel(this);
        panel->setObjectName(qs(row.name));
        panel->setGeometry(pixelRect(row.left, row.top, row.width, row.height));
        panel->hide();
        panels_.insert(panel->objectName(), panel);
    }
}

void Form1::buildControls()
{
    for (const design::Control& row : design::controls) {
        QWidget* parent = panels_.value(qs(row.panel));
        QWidget* widget = nullptr;
        switch (row.kind) {
        case design::Kind::Label: {
            const auto sizing =
                row.name == "Label5" ? QuizLabel::Sizing::Fixed : QuizLabel::Sizing::ToCaption;
            auto* label = new QuizLabel(toQt(row.align), sizing, parent);
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, toQColor(row.fore));
            label->setPalette(palette);
            widget = label;
            break;
        }
        case design::Kind::Button: {
            auto* button = new QuizButton(toQColor(row.fore), toQColor(row.foreHover), parent);
            button->setText(qs(row.caption));
            widget = button;
            break;
        }
        case design::Kind::List: {
            auto* list = new QuizList(toQColor(row.fore), toQColor(design::listBackground), parent);
            const auto& entries =
                row.name == "Combo1"
                    ? std::vector<std::string_view>(text::tableList.begin(), text::tableList.end())
                    : std::vector<std::string_view>(text::orderList.begin(), text::orderList.end());
            for (std::string_view entry : entries) {
                list->addItem(qs(entry));
            }
            list->setCurrentIndex(-1);
            list->setMaxVisibleItems(static_cast<int>(text::tableList.size()));
            // A list is read out by its choice; what it chooses goes in the description.
            list->setAccessibleDescription(row.name == "Combo1" ? QStringLiteral("Çarpım tablosu seçimi")
                                                                : QStringLiteral("Soru sırası seçimi"));
            widget = list;
            break;
        }
        case design::Kind::TextBox: {
            auto* box = new QLineEdit(parent);
            box->setText(qs(row.caption));
            box->setFocusPolicy(Qt::NoFocus);
            widget = box;
            break;
        }
        case design::Kind::Picture: {
            auto* picture = new QLabel(parent);
            picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            picture->setPixmap(QPixmap(QStringLiteral(":/images/dedication.png")));
            widget = picture;
            break;
        }
        }
        widget->setObjectName(qs(row.name));
        // A label with a name of its own does not announce its caption changes.
        widget->setAccessibleName(row.kind == design::Kind::Picture ? QStringLiteral("İthaf")
                                                                    : qs(row.caption));
        widget->setFont(toQFont(row.font));
        const QRect box = pixelRect(row.left, row.top, row.width, row.height);
        if (auto* label = qobject_cast<QuizLabel*>(widget)) {
            label->setDesignGeometry(box);
            label->setCaption(std::string(row.caption));
        } else {
            widget->setGeometry(box);
        }
        widget->setVisible(row.visible);
        widget->setEnabled(row.enabled);
        widgets_.insert(widget->objectName(), widget);
    }
}

void Form1::buildLines()
{
    for (const design::Line& row : design::lines) {
        auto* line = new QuizLine(
            QLine(design::px(row.x1), design::px(row.y1), design::px(row.x2), design::px(row.y2)),
            row.widthPx, toQColor(row.colour), panels_.value(qs(row.panel)));
        line->setObjectName(qs(row.name));
        line->lower(); // beneath the panel's other controls
    }
}

void Form1::buildTimers()
{
    auto make = [this](const char* name, int interval) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QLatin1String(name));
        timer->setInterval(interval);
        timer->start();
        return timer;
    };
    timer1_ = make("Timer1", design::timer1Interval);
    timer2_ = make("Timer2", design::timer2Interval);
    timer3_ = make("Timer3", design::timer3Interval);
    // The idle animation should keep its pace; the others need no precision.
    timer1_->setTimerType(Qt::PreciseTimer);
}

void Form1::setFocusOrder()
{
    QWidget* previous = nullptr;
    for (std::string_view name : design::focusOrder) {
        QWidget* widget = widgets_.value(qs(name));
        widget->setFocusPolicy(Qt::StrongFocus);
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

template <typename Routine> void Form1::handle(const char* where, Routine&& routine)
{
    try {
        std::forward<Routine>(routine)();
    } catch (const std::exception& failure) {
        options_.reportFailure(std::string("vorlen: ") + where + ": " + failure.what());
    } catch (...) {
        options_.reportFailure(std::string("vorlen: ") + where + ": unknown failure");
    }
}

void Form1::connectEvents()
{
    auto press = [this](const char* name, void (QuizEngine::*handler)()) {
        auto* button = qobject_cast<QuizButton*>(widgets_.value(QLatin1String(name)));
        connect(button, &QuizButton::clicked, this, [this, button, name, handler] {
            handle(name, [&] { (engine_.get()->*handler)(); });
            screenReader_->update(button);
        });
    };
    press("command9", &QuizEngine::pressCommand9);
    press("cev1", &QuizEngine::pressCev1);
    press("cev2", &QuizEngine::pressCev2);
    press("cev3", &QuizEngine::pressCev3);
    press("cev4", &QuizEngine::pressCev4);
    press("chameleonButton1", &QuizEngine::pressChameleonButton1);
    press("chameleonButton2", &QuizEngine::pressChameleonButton2);

    // No tick changes a spoken name (the samples run under fixed names), so
    // the ticks skip the screen-reader pass and the 85 ms tick stays lean.
    connect(timer1_, &QTimer::timeout, this, [this] { handle("Timer1", [&] { engine_->tickTimer1(); }); });
    connect(timer2_, &QTimer::timeout, this, [this] { handle("Timer2", [&] { engine_->tickTimer2(); }); });
    connect(timer3_, &QTimer::timeout, this, [this] { handle("Timer3", [&] { engine_->tickTimer3(); }); });
}

void Form1::setVisible(bool visible)
{
    const bool firstShow = visible && !loaded_;
    if (firstShow) {
        loaded_ = true;
        handle("load", [&] { engine_->load(); });
        screenReader_->update();
    }
    QWidget::setVisible(visible);
    if (firstShow) {
        widgets_.value(QStringLiteral("command9"))->setFocus(Qt::OtherFocusReason);
    }
}
