#include "window/form1.h"

#include "window/adapters.h"
#include "window/counter_browser.h"
#include "window/fonts.h"
#include "window/quiz_button.h"
#include "window/screen_reader.h"

#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <utility>

using namespace vorlen;

namespace {

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
    screenReader_ = std::make_unique<ScreenReader>(*this, parts_);
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
            enter(where, [&] { (engine_.get()->*handler)(); });
            screenReader_->update(button);
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
        screenReader_->update();
    }
    QWidget::setVisible(visible);
    if (firstShow) {
        parts_.command9->setFocus(Qt::OtherFocusReason);
    }
}
