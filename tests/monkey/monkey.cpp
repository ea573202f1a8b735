#include "monkey.h"

#include "design/design.h"
#include "window/form1.h"
#include "window/quiz_button.h"
#include "window/quiz_list.h"
#include "window_watch.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>

#include <algorithm>
#include <array>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <deque>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace vorlen::monkey {

namespace {

// Where the stream stands, for the crash report: a signal handler may read
// nothing else.
std::atomic<long> currentEvent{-1};
std::atomic<std::uint64_t> currentSeed{0};

void writeNumber(std::uint64_t value)
{
    std::array<char, 24> digits{};
    std::size_t first = digits.size();
    do {
        digits[--first] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    [[maybe_unused]] auto written = ::write(STDERR_FILENO, digits.data() + first, digits.size() - first);
}

void writeText(const char* text)
{
    std::size_t length = 0;
    while (text[length] != '\0') {
        ++length;
    }
    [[maybe_unused]] auto written = ::write(STDERR_FILENO, text, length);
}

extern "C" void onFatalSignal(int signal)
{
    writeText("\nmonkey: died of signal ");
    writeNumber(static_cast<std::uint64_t>(signal));
    const long event = currentEvent.load();
    if (event < 0) {
        writeText(" before the first event");
    } else {
        writeText(" at event ");
        writeNumber(static_cast<std::uint64_t>(event));
    }
    writeText(", seed ");
    writeNumber(currentSeed.load());
    writeText("\n");
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Only where nobody else (a sanitizer) handles the signal already.
void reportCrashes()
{
    for (int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL}) {
        struct sigaction old {};
        if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_DFL) {
            std::signal(signal, onFatalSignal);
        }
    }
}

class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}

    // 0 .. n-1; plain modulo keeps the stream the same on every standard library.
    int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }
    bool percent(int chance) { return below(100) < chance; }

    template <typename T, std::size_t N> const T& weighted(const std::array<T, N>& choices)
    {
        int total = 0;
        for (const T& choice : choices) {
            total += choice.weight;
        }
        int pick = below(total);
        for (const T& choice : choices) {
            if (pick < choice.weight) {
                return choice;
            }
            pick -= choice.weight;
        }
        return choices.back();
    }

private:
    std::mt19937_64 engine_;
};

struct Key {
    Qt::Key key;
    char ascii; // 0 for keys without text
    int weight;
};

constexpr std::array<Key, 43> keys{{
    {Qt::Key_Space, ' ', 120}, {Qt::Key_Return, 0, 3}, {Qt::Key_Tab, 0, 100}, {Qt::Key_Backtab, 0, 40},
    {Qt::Key_Escape, 0, 50},   {Qt::Key_Up, 0, 40},    {Qt::Key_Down, 0, 40}, {Qt::Key_A, 'a', 10},
    {Qt::Key_B, 'b', 10},      {Qt::Key_C, 'c', 10},   {Qt::Key_D, 'd', 10},  {Qt::Key_E, 'e', 10},
    {Qt::Key_F, 'f', 10},      {Qt::Key_G, 'g', 10},   {Qt::Key_H, 'h', 10},  {Qt::Key_I, 'i', 10},
    {Qt::Key_J, 'j', 10},      {Qt::Key_K, 'k', 10},   {Qt::Key_L, 'l', 10},  {Qt::Key_M, 'm', 10},
    {Qt::Key_N, 'n', 10},      {Qt::Key_O, 'o', 10},   {Qt::Key_P, 'p', 10},  {Qt::Key_Q, 'q', 10},
    {Qt::Key_R, 'r', 10},      {Qt::Key_S, 's', 10},   {Qt::Key_T, 't', 10},  {Qt::Key_U, 'u', 10},
    {Qt::Key_V, 'v', 10},      {Qt::Key_W, 'w', 10},   {Qt::Key_X, 'x', 10},  {Qt::Key_Y, 'y', 10},
    {Qt::Key_Z, 'z', 10},      {Qt::Key_0, '0', 10},   {Qt::Key_1, '1', 10},  {Qt::Key_2, '2', 10},
    {Qt::Key_3, '3', 10},      {Qt::Key_4, '4', 10},   {Qt::Key_5, '5', 10},  {Qt::Key_6, '6', 10},
    {Qt::Key_7, '7', 10},      {Qt::Key_8, '8', 10},   {Qt::Key_9, '9', 10},
}};

enum class Kind { ClickPoint, ClickControl, Key, ChooseEntry, Tick };

struct Action {
    Kind kind;
    int weight;
};

constexpr std::array<Action, 5> actions{{
    {Kind::ClickPoint, 20},
    {Kind::ClickControl, 34},
    {Kind::Key, 20},
    {Kind::ChooseEntry, 6},
    {Kind::Tick, 20},
}};

struct Target {
    QWidget* widget;
    int weight;
};

std::string nameOf(const QObject* object)
{
    if (object == nullptr) {
        return "nothing";
    }
    const QString name = object->objectName();
    return name.isEmpty() ? std::string(object->metaObject()->className()) : name.toStdString();
}

class Monkey {
public:
    Monkey(Form1& form, std::uint64_t seed) : form_(form), p_(form.parts()), random_(seed)
    {
        // Every control and panel; the buttons more often, since only they act.
        for (const design::Control& row : design::controls) {
            add(design::name(row.part), row.kind == design::Kind::Button ? 6 : 1);
        }
        for (const design::Panel& row : design::panels) {
            add(design::name(row.part), 1);
        }
    }

    // Makes one event and says what it was.
    std::string step()
    {
        if (pickNext_) {
            pickNext_ = false;
            if (QWidget* popup = QApplication::activePopupWidget()) {
                return pickEntry(popup);
            }
        }
        switch (random_.weighted(actions).kind) {
        case Kind::ClickPoint:
            return clickAt(QPoint(random_.below(form_.width()), random_.below(form_.height())));
        case Kind::ClickControl:
            return clickControl();
        case Kind::Key:
            return pressKey();
        case Kind::ChooseEntry:
            return chooseEntry();
        case Kind::Tick:
            return tick();
        }
        return "nothing";
    }

    [[nodiscard]] std::string tallyText() const
    {
        return std::to_string(ticks_[0]) + " ticks of Timer1, " + std::to_string(ticks_[1]) + " of Timer2, " +
               std::to_string(ticks_[2]) + " of Timer3, " + std::to_string(listsOpened_) + " lists opened, " +
               std::to_string(entriesPicked_) + " entries picked, " + std::to_string(returnPresses_) +
               " presses with Return";
    }

private:
    void add(std::string_view name, int weight)
    {
        auto* widget =
            form_.findChild<QWidget*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        if (widget == nullptr) {
            throw std::runtime_error("the window has no " + std::string(name));
        }
        targets_.push_back({widget, weight});
    }

    std::string clickAt(QPoint point, bool twice = false)
    {
        Form1& form = form_;
        std::string what;
        if (QWidget* popup = QApplication::activePopupWidget()) {
            const QPoint global = form.mapToGlobal(point);
            what = popup->geometry().contains(global) ? nameOf(popup->childAt(popup->mapFromGlobal(global)))
                                                      : "outside the open list";
        } else {
            QWidget* under = form.childAt(point);
            what = nameOf(under != nullptr ? under : &form);
        }
        const bool listWasOpen = QApplication::activePopupWidget() != nullptr;
        for (int i = 0; i < (twice ? 2 : 1); ++i) {
            QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, point);
        }
        if (!listWasOpen && QApplication::activePopupWidget() != nullptr) {
            ++listsOpened_;
        }
        return std::string(twice ? "two clicks" : "click") + " (" + std::to_string(point.x()) + "," +
               std::to_string(point.y()) + ") on " + what;
    }

    std::string clickControl()
    {
        int total = 0;
        for (const Target& target : targets_) {
            total += target.weight;
        }
        int pick = random_.below(total);
        const Target* chosen = &targets_.back();
        for (const Target& target : targets_) {
            if (pick < target.weight) {
                chosen = &target;
                break;
            }
            pick -= target.weight;
        }
        const QRect area = QRect(chosen->widget->mapTo(&form_, QPoint(0, 0)), chosen->widget->size())
                               .intersected(form_.rect());
        if (area.isEmpty()) {
            return "click on " + nameOf(chosen->widget) + ", which lies outside the window";
        }
        const QPoint point(area.left() + random_.below(area.width()),
                           area.top() + random_.below(area.height()));
        return clickAt(point, random_.percent(10)) + " aiming at " + nameOf(chosen->widget);
    }

    std::string pressKey()
    {
        const Key& key = random_.weighted(keys);
        QWidget* popup = QApplication::activePopupWidget();
        QWidget* focus = popup != nullptr ? popup->focusWidget() : form_.focusWidget();
        if (focus == nullptr) {
            focus = popup != nullptr ? popup : &form_;
        }
        std::string what = "key " + QKeySequence(key.key).toString().toStdString() + " to " + nameOf(focus);
        if (key.ascii != 0) {
            QTest::keyClick(form_.windowHandle(), key.ascii);
        } else {
            QTest::keyClick(form_.windowHandle(), key.key);
        }
        if (key.key == Qt::Key_Return) {
            ++returnPresses_;
        }
        return what;
    }

    std::string chooseEntry()
    {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            return pickEntry(popup);
        }
        std::vector<QComboBox*> open;
        for (QComboBox* list : {p_.Combo1, p_.Combo2}) {
            if (list->isEnabled()) {
                open.push_back(list);
            }
        }
        if (open.empty()) {
            return tick();
        }
        QComboBox* list = open[static_cast<std::size_t>(random_.below(static_cast<int>(open.size())))];
        const QRect area(list->mapTo(&form_, QPoint(0, 0)), list->size());
        pickNext_ = random_.percent(85);
        return clickAt(
            QPoint(area.left() + random_.below(area.width()), area.top() + random_.below(area.height())));
    }

    std::string pickEntry(QWidget* popup)
    {
        auto* view = popup->findChild<QAbstractItemView*>();
        if (view == nullptr || view->model() == nullptr || view->model()->rowCount() == 0) {
            return "an open list without entries";
        }
        const QModelIndex entry = view->model()->index(random_.below(view->model()->rowCount()), 0);
        const QPoint point = view->viewport()->mapTo(popup, view->visualRect(entry).center());
        QTest::mouseClick(popup->windowHandle(), Qt::LeftButton, {}, point);
        ++entriesPicked_;
        return "pick \"" + entry.data().toString().toStdString() + "\" in " + nameOf(popup->parentWidget());
    }

    std::string tick()
    {
        // Only a running timer ticks; Timer3 ticks once and then stops itself.
        std::array<int, 3> weights{5, 4, 1};
        int total = 0;
        for (std::size_t i = 0; i < weights.size(); ++i) {
            weights[i] = p_.timers()[i]->isActive() ? weights[i] : 0;
            total += weights[i];
        }
        if (total == 0) {
            return "no timer runs to tick";
        }
        int pick = random_.below(total);
        std::size_t chosen = 0;
        while (pick >= weights[chosen]) {
            pick -= weights[chosen];
            ++chosen;
        }
        QTimer* timer = p_.timers()[chosen];
        QTimerEvent tick(timer->timerId());
        QCoreApplication::sendEvent(timer, &tick);
        ++ticks_[chosen];
        return "tick of " + nameOf(timer);
    }

    Form1& form_;
    const WindowParts& p_;
    Random random_;
    std::vector<Target> targets_;
    bool pickNext_ = false;
    std::array<long, 3> ticks_{};
    long listsOpened_ = 0;
    long entriesPicked_ = 0;
    long returnPresses_ = 0;
};

// A run that never reached these proves little about the window.
std::optional<std::string> missedStates(const Tally& tally, long events)
{
    if (events < 20000) {
        return std::nullopt;
    }
    if (tally.starts == 0 || tally.stops == 0 || tally.right == 0 || tally.wrong == 0 ||
        tally.panelsClosed == 0) {
        return "the stream never started, stopped, answered right and wrong, or closed the wrong-answer "
               "panel";
    }
    return std::nullopt;
}

} // namespace

bool run(const Settings& settings)
{
    currentSeed = settings.seed;
    reportCrashes();
    std::printf("monkey: seed %llu, %ld events\n", static_cast<unsigned long long>(settings.seed),
                settings.events);
    std::fflush(stdout);

    // Qt's timed gestures run on the real clock; pinned like this, a run
    // depends on the seed alone. The list's guard against the release of the
    // click that opened it lasts one double-click interval, and its keyboard
    // search joins letters typed within the input interval.
    QApplication::setDoubleClickInterval(0);
    QApplication::setKeyboardInputInterval(std::numeric_limits<int>::max());

    std::vector<std::string> failures;
    double seconds = 8 * 3600.0; // the window's clock: morning, moving on with every event
    Form1::Options options;
    options.counterAddress = "http://127.0.0.1:1/sayac/qelnor.php"; // a closed port: refused at once
    options.seed = settings.seed ^ 0x9E3779B97F4A7C15ULL;
    options.clock = [&seconds] { return static_cast<float>(seconds); };
    options.reportFailure = [&failures](const std::string& line) { failures.push_back(line); };

    Form1 form(options);
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) {
        std::fprintf(stderr, "monkey: the window did not become active\n");
        return false;
    }
    // The monkey owns time: each timer keeps its running or stopped state as
    // the window sets it, but ticks only when the monkey ticks it.
    for (QTimer* timer : form.parts().timers()) {
        timer->setInterval(24 * 3600 * 1000);
    }
    WindowWatch watch(form, failures);
    Monkey monkey(form, settings.seed);

    std::deque<std::string> recent;
    QElapsedTimer clock;
    clock.start();
    auto fail = [&](long index, const std::string& broken) {
        std::fprintf(stderr, "monkey: FAILED at event %ld of seed %llu: %s\n", index,
                     static_cast<unsigned long long>(settings.seed), broken.c_str());
        std::fprintf(stderr, "monkey: the last events were:\n");
        for (const std::string& line : recent) {
            std::fprintf(stderr, "  %s\n", line.c_str());
        }
        std::fprintf(stderr, "monkey: replay with VORLEN_MONKEY_SEED=%llu VORLEN_MONKEY_EVENTS=%ld\n",
                     static_cast<unsigned long long>(settings.seed), index + 1);
        return false;
    };

    if (auto broken = watch.check()) {
        return fail(-1, "before the first event: " + *broken);
    }
    for (long index = 0; index < settings.events; ++index) {
        currentEvent = index;
        seconds += 0.015625;
        std::string what = monkey.step();
        recent.push_back(std::to_string(index) + ": " + what);
        if (recent.size() > 24) {
            recent.pop_front();
        }
        if (auto broken = watch.check()) {
            return fail(index, *broken);
        }
    }
    const Tally& tally = watch.tally();
    std::printf(
        "monkey: %ld events in %.1f s: %ld quizzes started (%zu of 22 choices), %ld stopped, %ld right, "
        "%ld wrong, %ld wrong-answer panels closed; %s\n",
        settings.events, static_cast<double>(clock.elapsed()) / 1000.0, tally.starts,
        tally.choicesStarted.size(), tally.stops, tally.right, tally.wrong, tally.panelsClosed,
        monkey.tallyText().c_str());
    if (auto missed = missedStates(tally, settings.events)) {
        std::fprintf(stderr, "monkey: FAILED: %s\n", missed->c_str());
        return false;
    }
    return true;
}

} // namespace vorlen::monkey
