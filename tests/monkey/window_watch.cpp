#include "window_watch.h"

#include "engine/numbers.h"
#include "engine/texts.h"
#include "window/form1.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"
#include "window/quiz_list.h"
#include "window/quiz_panel.h"
#include "window/window_parts.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>

#include <algorithm>
#include <stdexcept>

namespace vorlen {

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The widget's own setting, whatever its panel says: an answer button stays
// enabled under the open wrong-answer panel even though it cannot be reached.
bool ownEnabled(const QWidget* widget)
{
    return widget->isEnabledTo(widget->parentWidget());
}

// A counter as the window shows it: plain decimal digits, no sign, no blank,
// no leading zero, within 16 bits.
std::optional<long> shownCount(const std::string& text)
{
    if (text.empty() || text.size() > 5 || (text.size() > 1 && text[0] == '0') ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const long value = std::stol(text);
    return value <= 32767 ? std::optional<long>(value) : std::nullopt;
}

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string quoted(const QString& text)
{
    return quoted(text.toStdString());
}

} // namespace

WindowWatch::WindowWatch(Form1& form, const std::vector<std::string>& failures)
    : form_(form), p_(form.parts()), failures_(failures)
{
}

std::optional<std::string> WindowWatch::check()
{
    if (!failures_.empty()) {
        return "a failure reached the window: " + failures_.front();
    }
    const QString caption = p_.command9->text();
    const bool running = caption == qs(text::stop);
    if (!running && caption != qs(text::start)) {
        return "command9 shows " + quoted(caption);
    }
    const bool panelOpen = !p_.frames()[4]->isHidden();

    std::array<long, 3> values{};
    for (auto broken :
         {checkStates(running, panelOpen), checkCounters(running, values), checkPanel(panelOpen)}) {
        if (broken) {
            return broken;
        }
    }
    if (running && !panelOpen) {
        if (auto broken = checkQuestion()) {
            return broken;
        }
    }
    // Timer3 ticks once and is never started again.
    if (counterTicked_ && p_.timers()[2]->isActive()) {
        return "Timer3 runs again after its tick";
    }
    counterTicked_ = counterTicked_ || !p_.timers()[2]->isActive();
    count(running, panelOpen, values);
    return std::nullopt;
}

std::optional<std::string> WindowWatch::checkStates(bool running, bool panelOpen) const
{
    const char* state = running ? " while a quiz runs" : " while no quiz runs";
    for (const QuizButton* answer : p_.answers()) {
        if (ownEnabled(answer) != running) {
            return answer->objectName().toStdString() + (running ? " is disabled" : " is enabled") + state;
        }
    }
    for (const QComboBox* list : {p_.Combo1, p_.Combo2}) {
        if (ownEnabled(list) == running) {
            return list->objectName().toStdString() + (running ? " is enabled" : " is disabled") + state;
        }
    }
    if (p_.timers()[0]->isActive() == running) {
        return std::string("Timer1 is ") + (running ? "running" : "stopped") + state;
    }
    if (!p_.timers()[1]->isActive()) {
        return "Timer2 has stopped";
    }
    if (panelOpen && !running) {
        return "the wrong-answer panel is open while no quiz runs";
    }
    for (std::size_t i : {0U, 1U, 3U}) {
        if (p_.frames()[i]->isHidden()) {
            return p_.frames()[i]->objectName().toStdString() + " is hidden";
        }
        if (ownEnabled(p_.frames()[i]) == panelOpen) {
            return p_.frames()[i]->objectName().toStdString() + (panelOpen ? " is enabled" : " is disabled") +
                   (panelOpen ? " under the open wrong-answer panel" : " with the wrong-answer panel closed");
        }
    }
    if (!p_.frames()[2]->isHidden()) {
        return "the dedication panel Frame3 is shown";
    }
    if (QWidget* popup = QApplication::activePopupWidget()) {
        const QWidget* owner = popup->parentWidget();
        if (owner == nullptr || !owner->isEnabled()) {
            return "a list is open while it is disabled";
        }
    }
    return std::nullopt;
}

std::optional<std::string> WindowWatch::checkCounters(bool running, std::array<long, 3>& values) const
{
    const QuizState& state = form_.quizState();
    const std::array<std::int16_t, 3> counters{state.totalcount, state.rightcount, state.wrongcount};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string& shown = p_.counts()[i]->caption();
        const auto value = shownCount(shown);
        const std::string name = p_.counts()[i]->objectName().toStdString();
        if (!value) {
            return name + " shows " + quoted(shown) + ", not a count";
        }
        if (!running && *value != 0) {
            return name + " shows " + shown + " while no quiz runs";
        }
        if (running && *value != counters[i]) {
            return name + " shows " + shown + " but the count is " + numberText(counters[i]);
        }
        values[i] = *value;
    }
    const long total = values[0];
    const long sum = values[1] + values[2];
    if (total != sum && !(total == 32767 && sum >= total)) {
        return "total " + std::to_string(total) + " is not right " + std::to_string(values[1]) + " + wrong " +
               std::to_string(values[2]);
    }
    return std::nullopt;
}

std::optional<std::string> WindowWatch::checkQuestion() const
{
    const auto a = shownCount(p_.Label1->caption());
    const auto b = shownCount(p_.Label3->caption());
    if (!a || !b || *a < 1 || *a > 10 || *b < 1 || *b > 10) {
        return "the question shows " + quoted(p_.Label1->caption()) + " x " + quoted(p_.Label3->caption());
    }
    const QString product = QString::number(*a * *b);
    const std::string question = p_.Label1->caption() + " x " + p_.Label3->caption();
    int right = 0;
    for (std::size_t i = 0; i < p_.answers().size(); ++i) {
        const QString caption = p_.answers()[i]->text();
        right += caption == product ? 1 : 0;
        for (std::size_t j = 0; j < i; ++j) {
            if (p_.answers()[j]->text() == caption) {
                return "for " + question + " two answers show " + quoted(caption);
            }
        }
    }
    if (right != 1) {
        return "for " + question + ", " + std::to_string(right) + " answers show " + product.toStdString();
    }
    const std::string& judged = form_.quizState().correctanswer;
    if (judged != product.toStdString()) {
        return "for " + question + " the window judges against " + quoted(judged);
    }
    return std::nullopt;
}

std::optional<std::string> WindowWatch::checkPanel(bool panelOpen)
{
    if (!panelOpen) {
        frozen_.reset();
        return std::nullopt;
    }
    const auto a = shownCount(p_.Label1->caption());
    const auto b = shownCount(p_.Label3->caption());
    const std::string expected =
        std::string(text::correctAnswerPrefix) + (a && b ? std::to_string(*a * *b) : std::string("?"));
    if (p_.Label13->caption() != expected) {
        return "the wrong-answer panel shows " + quoted(p_.Label13->caption()) + " for " +
               p_.Label1->caption() + " x " + p_.Label3->caption();
    }
    // Nothing but the OK button reaches the quiz while the panel is open.
    const Frozen now = frozen();
    if (!frozen_) {
        frozen_ = now;
    } else if (!(*frozen_ == now)) {
        return "the question, an answer, a count or the start button changed under the open wrong-answer "
               "panel "
               "(was " +
               frozen_->question + ", counts " + frozen_->counts[0] + "/" + frozen_->counts[1] + "/" +
               frozen_->counts[2] + ", " + frozen_->command9.toStdString() + "; now " + now.question +
               ", counts " + now.counts[0] + "/" + now.counts[1] + "/" + now.counts[2] + ", " +
               now.command9.toStdString() + ")";
    }
    const bool apart = p_.Label12->isHidden() != p_.Label13->isHidden();
    if (labelsApart_ && !apart) {
        return "Label12 and Label13 are both " + std::string(p_.Label12->isHidden() ? "hidden" : "shown");
    }
    labelsApart_ = labelsApart_ || apart;
    return std::nullopt;
}

WindowWatch::Frozen WindowWatch::frozen() const
{
    Frozen now;
    now.question = p_.Label1->caption() + " x " + p_.Label3->caption();
    for (std::size_t i = 0; i < p_.answers().size(); ++i) {
        now.answers[i] = p_.answers()[i]->text();
    }
    for (std::size_t i = 0; i < p_.counts().size(); ++i) {
        now.counts[i] = p_.counts()[i]->caption();
    }
    now.command9 = p_.command9->text();
    return now;
}

void WindowWatch::count(bool running, bool panelOpen, const std::array<long, 3>& values)
{
    if (running && !wasRunning_) {
        ++tally_.starts;
        tally_.choicesStarted.emplace(p_.Combo1->currentText(), p_.Combo2->currentText());
    }
    if (!running && wasRunning_) {
        ++tally_.stops;
    }
    if (running && wasRunning_) {
        tally_.right += std::max(0L, values[1] - lastValues_[1]);
        tally_.wrong += std::max(0L, values[2] - lastValues_[2]);
    }
    if (wasOpen_ && !panelOpen) {
        ++tally_.panelsClosed;
    }
    wasRunning_ = running;
    wasOpen_ = panelOpen;
    lastValues_ = values;
}

} // namespace vorlen
