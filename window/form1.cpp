#include "window/form1.h"

#include "design/design.h"
#include "engine/texts.h"
#include "window/adapters.h"
#include "window/colours.h"
#include "window/counter_browser.h"
#include "window/fonts.h"
#include "window/quiet_announcements.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"
#include "window/quiz_line.h"
#include "window/quiz_list.h"
#include "window/quiz_panel.h"

#include <QAccessible>
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

QRect pixelRect(const design::Rect& place)
{
    return {design::px(place.left), design::px(place.top), design::px(place.width), design::px(place.height)};
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
    quiet_ = std::make_unique<QuietAnnouncements>();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromStdString(design::windowCaption()));
    setFont(toQFont(design::defaultFont));
    setFixedSize(design::px(design::clientWidth), design::px(design::clientHeight));

    buildPanels();
    buildControls();
    buildLines();
    setFocusOrder();

    counter_ = new CounterBrowser(std::chrono::milliseconds(options_.counterTimeoutMs), this);
    counter_->setObjectName(QStringLiteral("WebBrowser1"));
    buildTimers();

    adapters_ = std::make_unique<Adapters>(widgets_, panels_, timer1_, timer2_, timer3_);
    engine_ = std::make_unique<QuizEngine>(
        adapters_->controls(*counter_), RandomSource(options_.clock, options_.seed), options_.counterAddress);
    connectEvents();
    describeForScreenReaders();
}

Form1::~Form1()
{
    // The timers must not tick into an engine that is gone.
    for (QTimer* timer : {timer1_, timer2_, timer3_}) {
        timer->stop();
    }
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
        panel->setGeometry(pixelRect(row.place));
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
                row.sizing == design::Sizing::Fixed ? QuizLabel::Sizing::Fixed : QuizLabel::Sizing::ToCaption;
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
            auto* list = new QuizList(toQColor(row.fore), toQColor(row.back.value_or(colour::white)), parent);
            for (std::string_view entry : row.entries) {
                list->addItem(qs(entry));
            }
            list->setCurrentIndex(-1);
            list->setMaxVisibleItems(static_cast<int>(text::tableList.size()));
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
        widget->setAccessibleName(qs(row.accessibleName.empty() ? row.caption : row.accessibleName));
        // A list is read out by its choice; what it chooses goes in the description.
        widget->setAccessibleDescription(qs(row.description));
        widget->setFont(toQFont(row.font));
        const QRect box = pixelRect(row.place);
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
    timer1_ = make("Timer1", design::timers[0].intervalMs);
    timer2_ = make("Timer2", design::timers[1].intervalMs);
    timer3_ = make("Timer3", design::timers[2].intervalMs);
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

void Form1::setAccessibleNameOf(const char* name, const QString& accessibleName)
{
    QWidget* widget = widgets_.value(QLatin1String(name));
    if (widget == nullptr) {
        widget = panels_.value(QLatin1String(name));
    }
    // Every set announces a change, so set only what really changed.
    if (widget != nullptr && widget->accessibleName() != accessibleName) {
        widget->setAccessibleName(accessibleName);
    }
}

void Form1::describeForScreenReaders()
{
    auto button = [this](const char* name) {
        return qobject_cast<QuizButton*>(widgets_.value(QLatin1String(name)));
    };
    auto label = [this](const char* name) {
        return qobject_cast<QuizLabel*>(widgets_.value(QLatin1String(name)));
    };

    const QString startStop = button("command9")->text();
    setAccessibleNameOf("command9", startStop);
    setAccessibleNameOf("Label4", label("Label4")->text());
    setAccessibleNameOf("Label2", QStringLiteral("çarpı"));

    const bool running = startStop == qs(text::stop);
    const std::array<const char*, 4> answers{"cev1", "cev2", "cev3", "cev4"};
    if (running) {
        const QString first = label("Label1")->text();
        const QString second = label("Label3")->text();
        setAccessibleNameOf("Frame1", first + QStringLiteral(" çarpı ") + second);
        setAccessibleNameOf("Label1", first);
        setAccessibleNameOf("Label3", second);
        for (const char* answer : answers) {
            setAccessibleNameOf(answer, button(answer)->text());
        }
    } else {
        // Fixed names while the samples run: a changing name is announced.
        setAccessibleNameOf("Frame1", QStringLiteral("Örnek sorular"));
        setAccessibleNameOf("Label1", QStringLiteral("örnek"));
        setAccessibleNameOf("Label3", QStringLiteral("örnek"));
        for (std::size_t i = 0; i < answers.size(); ++i) {
            setAccessibleNameOf(answers[i], QStringLiteral("Cevap %1").arg(i + 1));
        }
    }

    const std::array<std::pair<const char*, const char*>, 3> counts{
        {{"Label6", "Label9"}, {"Label7", "Label10"}, {"Label8", "Label11"}}};
    for (const auto& [captionName, valueName] : counts) {
        const QString spoken = label(captionName)->text() + label(valueName)->text();
        setAccessibleNameOf(captionName, spoken);
        setAccessibleNameOf(valueName, spoken);
    }
    setAccessibleNameOf("Label5", label("Label5")->text().replace(QLatin1Char('\n'), QLatin1Char(' ')));
    setAccessibleNameOf("Label12", label("Label12")->text());
    setAccessibleNameOf("Label13", label("Label13")->text());
    setAccessibleNameOf("chameleonButton1", button("chameleonButton1")->text());
    setAccessibleNameOf("chameleonButton2", button("chameleonButton2")->text());
    setAccessibleNameOf("Frame5", label("Label12")->text());

    QuizPanel* wrongPanel = panels_.value(QStringLiteral("Frame5"));
    const bool open = !wrongPanel->isHidden();
    if (open && !wrongPanelOpen_) {
        QuizButton* ok = button("chameleonButton2");
        const QString correct = qs(text::correctAnswerPrefix) + qs(engine_->state().correctanswer);
        ok->setAccessibleDescription(correct);
        setAccessibleNameOf("Frame5", label("Label12")->text() + QLatin1Char(' ') + correct);
        ok->setFocus(Qt::OtherFocusReason);
        QAccessibleEvent alert(wrongPanel, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    } else if (!open && wrongPanelOpen_) {
        // Back to the answer that opened the panel, where the child left off.
        if (lastAnswer_ != nullptr && lastAnswer_->isEnabled() && lastAnswer_->isVisible()) {
            lastAnswer_->setFocus(Qt::OtherFocusReason);
        }
    }
    wrongPanelOpen_ = open;
}

void Form1::connectEvents()
{
    auto press = [this](const char* name, void (QuizEngine::*handler)()) {
        auto* button = qobject_cast<QuizButton*>(widgets_.value(QLatin1String(name)));
        connect(button, &QuizButton::clicked, this, [this, button, name, handler] {
            if (QLatin1String(name).startsWith(QLatin1String("cev"))) {
                lastAnswer_ = button;
            }
            handle(name, [&] { (engine_.get()->*handler)(); });
            describeForScreenReaders();
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
        describeForScreenReaders();
    }
    QWidget::setVisible(visible);
    if (firstShow) {
        widgets_.value(QStringLiteral("command9"))->setFocus(Qt::OtherFocusReason);
    }
}
