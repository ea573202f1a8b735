#include "window/form1.h"

#include "engine/texts.h"
#include "window/adapters.h"
#include "window/counter_browser.h"
#include "window/fonts.h"
#include "window/quiet_announcements.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"
#include "window/quiz_panel.h"

#include <QAccessible>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <utility>

using namespace vorlen;

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Form1::Options withCounterPage(const QUrl& counterPage)
{
    Form1::Options options;
    options.counterAddress = counterPage.toString().toStdString();
    return options;
}

} // namespace

Form1::Form1() : Form1(Options{})
{
}

Form1::Form1(const QUrl& counterPage) : Form1(withCounterPage(counterPage))
{
}

Form1::Form1(Options options, QWidget* parent) : QWidget(parent), options_(std::move(options))
{
    quiet_ = std::make_unique<QuietAnnouncements>();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromStdString(design::windowCaption()));
    setFont(toQFont(design::defaultFont));
    setFixedSize(design::px(design::clientWidth), design::px(design::clientHeight));

    parts_ = buildWindow(*this);
    counter_ = new CounterBrowser(std::chrono::milliseconds(options_.counterTimeoutMs), this);
    counter_->setObjectName(QStringLiteral("WebBrowser1"));
    controls_ = std::make_unique<EngineControls>(parts_, *counter_);
    engine_ = std::make_unique<QuizEngine>(controls_->controls(), RandomSource(options_.clock, options_.seed),
                                           options_.counterAddress);
    connectEvents();
    describeForScreenReaders();
}

Form1::~Form1()
{
    // The timers must not tick into an engine that is gone.
    for (QTimer* timer : parts_.timers()) {
        timer->stop();
    }
}

void Form1::writeToStandardError(const std::string& line)
{
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

template <typename Routine> void Form1::enter(const char* where, Routine&& routine)
{
    runReportingFailure(options_.reportFailure, where, std::forward<Routine>(routine));
}

void Form1::connectEvents()
{
    auto press = [this](QuizButton* button, const char* where, void (QuizEngine::*handler)()) {
        connect(button, &QuizButton::clicked, this, [this, button, where, handler] {
            if (handler == &QuizEngine::pressCev1 || handler == &QuizEngine::pressCev2 ||
                handler == &QuizEngine::pressCev3 || handler == &QuizEngine::pressCev4) {
                lastAnswer_ = button;
            }
            enter(where, [&] { (engine_.get()->*handler)(); });
            describeForScreenReaders();
        });
    };
    press(parts_.command9, "command9", &QuizEngine::pressCommand9);
    press(parts_.cev1, "cev1", &QuizEngine::pressCev1);
    press(parts_.cev2, "cev2", &QuizEngine::pressCev2);
    press(parts_.cev3, "cev3", &QuizEngine::pressCev3);
    press(parts_.cev4, "cev4", &QuizEngine::pressCev4);
    press(parts_.chameleonButton1, "chameleonButton1", &QuizEngine::pressChameleonButton1);
    press(parts_.chameleonButton2, "chameleonButton2", &QuizEngine::pressChameleonButton2);

    // No tick changes a spoken name (the samples run under fixed names), so
    // the ticks skip the screen-reader pass and the 85 ms tick stays lean.
    connect(parts_.Timer1, &QTimer::timeout, this,
            [this] { enter("Timer1", [&] { engine_->tickTimer1(); }); });
    connect(parts_.Timer2, &QTimer::timeout, this,
            [this] { enter("Timer2", [&] { engine_->tickTimer2(); }); });
    connect(parts_.Timer3, &QTimer::timeout, this,
            [this] { enter("Timer3", [&] { engine_->tickTimer3(); }); });
}

void Form1::setVisible(bool visible)
{
    const bool firstShow = visible && !loaded_;
    if (firstShow) {
        loaded_ = true;
        enter("load", [&] { engine_->load(); });
        describeForScreenReaders();
    }
    QWidget::setVisible(visible);
    if (firstShow) {
        parts_.command9->setFocus(Qt::OtherFocusReason);
    }
}

namespace {

// Every set announces a change, so set only what really changed.
void setAccessibleNameOf(QWidget* widget, const QString& accessibleName)
{
    if (widget->accessibleName() != accessibleName) {
        widget->setAccessibleName(accessibleName);
    }
}

} // namespace

void Form1::describeForScreenReaders()
{
    const WindowParts& p = parts_;
    const QString startStop = p.command9->text();
    setAccessibleNameOf(p.command9, startStop);
    setAccessibleNameOf(p.Label4, p.Label4->text());
    setAccessibleNameOf(p.Label2, QStringLiteral("çarpı"));

    const bool running = startStop == qs(text::stop);
    const auto answers = p.answers();
    if (running) {
        const QString first = p.Label1->text();
        const QString second = p.Label3->text();
        setAccessibleNameOf(p.Frame1, first + QStringLiteral(" çarpı ") + second);
        setAccessibleNameOf(p.Label1, first);
        setAccessibleNameOf(p.Label3, second);
        for (QuizButton* answer : answers) {
            setAccessibleNameOf(answer, answer->text());
        }
    } else {
        // Fixed names while the samples run: a changing name is announced.
        setAccessibleNameOf(p.Frame1, QStringLiteral("Örnek sorular"));
        setAccessibleNameOf(p.Label1, QStringLiteral("örnek"));
        setAccessibleNameOf(p.Label3, QStringLiteral("örnek"));
        for (std::size_t i = 0; i < answers.size(); ++i) {
            setAccessibleNameOf(answers[i], QStringLiteral("Cevap %1").arg(i + 1));
        }
    }

    const std::array<std::pair<QuizLabel*, QuizLabel*>, 3> counts{
        {{p.Label6, p.Label9}, {p.Label7, p.Label10}, {p.Label8, p.Label11}}};
    for (const auto& [caption, value] : counts) {
        const QString spoken = caption->text() + value->text();
        setAccessibleNameOf(caption, spoken);
        setAccessibleNameOf(value, spoken);
    }
    setAccessibleNameOf(p.Label5, p.Label5->text().replace(QLatin1Char('\n'), QLatin1Char(' ')));
    setAccessibleNameOf(p.Label12, p.Label12->text());
    setAccessibleNameOf(p.Label13, p.Label13->text());
    setAccessibleNameOf(p.chameleonButton1, p.chameleonButton1->text());
    setAccessibleNameOf(p.chameleonButton2, p.chameleonButton2->text());
    setAccessibleNameOf(p.Frame5, p.Label12->text());

    const bool open = !p.Frame5->isHidden();
    if (open && !wrongPanelOpen_) {
        QuizButton* ok = p.chameleonButton2;
        const QString correct = qs(text::correctAnswerPrefix) + qs(engine_->state().correctanswer);
        ok->setAccessibleDescription(correct);
        setAccessibleNameOf(p.Frame5, p.Label12->text() + QLatin1Char(' ') + correct);
        ok->setFocus(Qt::OtherFocusReason);
        QAccessibleEvent alert(p.Frame5, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    } else if (!open && wrongPanelOpen_) {
        // Back to the answer that opened the panel, where the child left off.
        if (lastAnswer_ != nullptr && lastAnswer_->isEnabled() && lastAnswer_->isVisible()) {
            lastAnswer_->setFocus(Qt::OtherFocusReason);
        }
    }
    wrongPanelOpen_ = open;
}
