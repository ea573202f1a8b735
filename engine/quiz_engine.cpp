#include "engine/quiz_engine.h"

#include "engine/numbers.h"
#include "engine/texts.h"

#include <exception>
#include <optional>
#include <utility>

namespace vorlen {

namespace {

// One step of a routine that carries on: a failure skips this step only,
// whatever the control threw.
template <typename Step> void attempt(Step&& step) noexcept
{
    try {
        std::forward<Step>(step)();
    } catch (...) { // NOLINT(bugprone-empty-catch): skipping is the rule
    }
}

// Reads a value in a routine that carries on: empty when the read failed.
template <typename Read> auto attemptRead(Read&& read) noexcept -> std::optional<decltype(read())>
{
    try {
        return std::forward<Read>(read)();
    } catch (...) {
        return std::nullopt;
    }
}

std::string pairText(std::int16_t a, std::int16_t b)
{
    return numberText(a) + "x" + numberText(b);
}

constexpr std::int16_t factorRange = 10;
constexpr std::int16_t keyRange = 4;
constexpr std::int32_t choiceRows = 5;       // header and four candidates
constexpr std::int32_t fullFactorCycle = 11; // header and ten factors
constexpr std::int32_t fullPairCycle = 101;  // header and a hundred pairs

} // namespace

QuizEngine::QuizEngine(Controls controls, RandomSource random, std::string counterAddress)
    : c_(controls), random_(std::move(random)), counterAddress_(std::move(counterAddress))
{
}

Button& QuizEngine::answerButton(std::int32_t row)
{
    switch (row) {
    case 1:
        return c_.cev1;
    case 2:
        return c_.cev2;
    case 3:
        return c_.cev3;
    default:
        return c_.cev4;
    }
}

void QuizEngine::fillanswers(std::int16_t f, std::int16_t m)
{
    vs2_.setRowCount(1);
    vs2_.append(0, numberText(m));

    // Three more second factors, distinct from m and from each other. The
    // right one stays in row 1 until the shuffle below.
    while (vs2_.rowCount() < choiceRows) {
        const std::int16_t y = random_.reseededWhole(factorRange);
        if (vs2_.findNumber(0, y) == 0) {
            vs2_.append(0, numberText(y));
        }
    }

    // A random permutation of the keys 1..4: redraw until the key is unused.
    // Rows without a key yet read as 0 and never match.
    const std::int32_t last = vs2_.rowCount() - 1;
    for (std::int32_t row = 1; row <= last; ++row) {
        std::int16_t key = 0;
        do {
            key = random_.reseededWhole(keyRange);
        } while (vs2_.findNumber(1, key) != 0);
        vs2_.setCell(row, 1, numberText(key));
    }

    vs2_.setSortColumn(1);
    vs2_.sortNumericAscending();

    for (std::int32_t row = 1; row <= last; ++row) {
        const double product = static_cast<double>(vs2_.cellNumber(row, 0)) * f;
        c_.Text1.setText(wholeText(product));
        answerButton(row).setCaption(c_.Text1.text());
    }
}

void QuizEngine::showFactors(std::int16_t a, std::int16_t b)
{
    attempt([&] { c_.Label1.setCaption(numberText(a)); });
    attempt([&] { c_.Label3.setCaption(numberText(b)); });
}

void QuizEngine::tekkarisik()
{
    std::int16_t x = 0;
    attempt([&] {
        do {
            x = random_.reseededWhole(factorRange);
        } while (vs1_.findNumber(0, x) != 0);
        vs1_.append(0, numberText(x));
    });
    const std::int16_t a = state_.tableno;
    const std::int16_t b = x;
    showFactors(a, b);
    attempt([&] {
        if (vs1_.rowCount() == fullFactorCycle) {
            vs1_.setRowCount(1);
        }
    });
    attempt([&] { fillanswers(a, b); });
    state_.factora = a;
    state_.factorb = b;
}

void QuizEngine::teksirali()
{
    attempt([&] { state_.seqsecond = checkedAdd(state_.seqsecond, 1); });
    if (state_.seqsecond == factorRange + 1) {
        state_.seqsecond = 1;
    }
    const std::int16_t a = state_.tableno;
    const std::int16_t b = state_.seqsecond;
    showFactors(a, b);
    attempt([&] { fillanswers(a, b); });
    state_.factora = a;
    state_.factorb = b;
}

void QuizEngine::ciftkarisik()
{
    std::int16_t a = 0;
    std::int16_t b = 0;
    attempt([&] {
        for (;;) {
            // One reseed for the pair: both factors come from the same state.
            random_.reseed();
            a = random_.whole(factorRange);
            b = random_.whole(factorRange);
            std::string pair = pairText(a, b);
            if (vs3_.findText(0, pair) == 0) {
                vs3_.append(0, std::move(pair));
                return;
            }
        }
    });
    showFactors(a, b);
    attempt([&] {
        if (vs3_.rowCount() == fullPairCycle) {
            vs3_.setRowCount(1);
        }
    });
    attempt([&] { fillanswers(a, b); });
    state_.factora = a;
    state_.factorb = b;
}

void QuizEngine::ciftsirali()
{
    const std::int16_t a = state_.seqfirst;
    const std::int16_t b = state_.seqsecond;
    attempt([&] { state_.seqsecond = checkedAdd(state_.seqsecond, 1); });
    if (state_.seqsecond == factorRange + 1) {
        attempt([&] { state_.seqfirst = checkedAdd(state_.seqfirst, 1); });
        state_.seqsecond = 1;
    }
    if (state_.seqfirst == factorRange + 1) {
        state_.seqfirst = 1;
    }
    showFactors(a, b);
    attempt([&] { fillanswers(a, b); });
    state_.factora = a;
    state_.factorb = b;
}

void QuizEngine::sor()
{
    switch (state_.quizmode) {
    case QuizMode::None:
        break;
    case QuizMode::SingleMixed:
        tekkarisik();
        break;
    case QuizMode::SingleSequential:
        teksirali();
        break;
    case QuizMode::AllMixed:
        ciftkarisik();
        break;
    case QuizMode::AllSequential:
        ciftsirali();
        break;
    }
    state_.correctanswer = numberText(checkedMul(state_.factorb, state_.factora));
}

void QuizEngine::load()
{
    attempt([&] { c_.Label5.setCaption(std::string(text::dedication)); });
    attempt([&] { c_.Combo1.setListIndex(0); });
    attempt([&] { c_.Combo2.setListIndex(0); });
    showIdle();
    attempt([&] { pressChameleonButton1(); });
}

void QuizEngine::showIdle()
{
    for (Label* label : {&c_.Label1, &c_.Label2, &c_.Label3}) {
        attempt([&] { label->setForeColor(colour::lightGrey); });
    }
    attempt([&] { c_.Label4.setForeColor(colour::blue); });
    for (Button* button : {&c_.cev1, &c_.cev2, &c_.cev3, &c_.cev4}) {
        attempt([&] { button->setEnabled(false); });
    }
    attempt([&] { c_.Combo1.setEnabled(true); });
    attempt([&] { c_.Combo2.setEnabled(true); });
    attempt([&] { c_.Timer1.setEnabled(true); });
    for (Label* label : {&c_.Label9, &c_.Label10, &c_.Label11}) {
        attempt([&] { label->setCaption("0"); });
    }
    for (Label* label : {&c_.Label6, &c_.Label7, &c_.Label8, &c_.Label9, &c_.Label10, &c_.Label11}) {
        attempt([&] { label->setForeColor(colour::lightGrey); });
    }
}

void QuizEngine::pressCommand9()
{
    attempt([&] { c_.Label5.setForeColor(colour::lightGrey); });
    // When the caption cannot be read, whether a quiz runs is unknown: doing
    // nothing is the only safe choice.
    const auto caption = attemptRead([&] { return c_.command9.caption(); });
    if (!caption) {
        return;
    }
    if (*caption == text::start) {
        startQuiz();
    } else if (*caption == text::stop) {
        stopQuiz();
    }
}

void QuizEngine::startQuiz()
{
    attempt([&] { c_.Label5.setVisible(false); });

    const auto table = attemptRead([&] { return c_.Combo1.text(); });
    const auto order = attemptRead([&] { return c_.Combo2.text(); });
    if (table && order) {
        if (*table == text::allTables) {
            if (*order == text::sequential) {
                state_.seqfirst = 1;
                state_.seqsecond = 1;
                state_.quizmode = QuizMode::AllSequential;
            } else if (*order == text::mixed) {
                attempt([&] { vs3_.setRowCount(1); });
                state_.quizmode = QuizMode::AllMixed;
            }
        }
        for (std::size_t n = 0; n < text::tables.size(); ++n) {
            if (*table != text::tables[n]) {
                continue;
            }
            if (*order == text::sequential) {
                state_.tableno = static_cast<std::int16_t>(n + 1);
                state_.seqsecond = 0;
                state_.quizmode = QuizMode::SingleSequential;
            } else if (*order == text::mixed) {
                state_.tableno = static_cast<std::int16_t>(n + 1);
                attempt([&] { vs1_.setRowCount(1); });
                state_.quizmode = QuizMode::SingleMixed;
            }
        }
    }

    for (Label* label : {&c_.Label1, &c_.Label2, &c_.Label3}) {
        attempt([&] { label->setForeColor(colour::red); });
    }
    attempt([&] { c_.Label4.setForeColor(colour::lightGrey); });
    for (Button* button : {&c_.cev1, &c_.cev2, &c_.cev3, &c_.cev4}) {
        attempt([&] { button->setEnabled(true); });
    }
    attempt([&] { c_.Combo1.setEnabled(false); });
    attempt([&] { c_.Combo2.setEnabled(false); });
    attempt([&] { c_.Label6.setForeColor(colour::blue); });
    attempt([&] { c_.Label7.setForeColor(colour::green); });
    attempt([&] { c_.Label8.setForeColor(colour::red); });
    attempt([&] { c_.Label9.setForeColor(colour::blue); });
    attempt([&] { c_.Label10.setForeColor(colour::green); });
    attempt([&] { c_.Label11.setForeColor(colour::red); });
    state_.totalcount = 0;
    state_.rightcount = 0;
    state_.wrongcount = 0;
    attempt([&] { sor(); });
    attempt([&] { c_.command9.setCaption(std::string(text::stop)); });
    attempt([&] { c_.Timer1.setEnabled(false); });
}

void QuizEngine::stopQuiz()
{
    attempt([&] { c_.command9.setCaption(std::string(text::start)); });
    attempt([&] { c_.Label5.setVisible(true); });
    showIdle();
}

void QuizEngine::pressCev1()
{
    answer(c_.cev1);
}

void QuizEngine::pressCev2()
{
    answer(c_.cev2);
}

void QuizEngine::pressCev3()
{
    answer(c_.cev3);
}

void QuizEngine::pressCev4()
{
    answer(c_.cev4);
}

void QuizEngine::answer(const Button& button)
{
    // A counter at 32767 stays there: the failed increment is skipped and the
    // label shows the unchanged value again.
    attempt([&] { state_.totalcount = checkedAdd(state_.totalcount, 1); });
    attempt([&] { c_.Label9.setCaption(numberText(state_.totalcount)); });

    // A caption that cannot be read is not the right answer: the press counts
    // as wrong and the child sees the correct one, so that every answer given
    // is either right or wrong.
    const auto caption = attemptRead([&] { return button.caption(); });
    if (caption && *caption == state_.correctanswer) {
        attempt([&] { state_.rightcount = checkedAdd(state_.rightcount, 1); });
        attempt([&] { c_.Label10.setCaption(numberText(state_.rightcount)); });
        attempt([&] { sor(); });
    } else {
        attempt(
            [&] { c_.Label13.setCaption(std::string(text::correctAnswerPrefix) + state_.correctanswer); });
        attempt([&] { c_.Frame5.setVisible(true); });
        attempt([&] { c_.Frame1.setEnabled(false); });
        attempt([&] { c_.Frame2.setEnabled(false); });
        attempt([&] { c_.Frame4.setEnabled(false); });
        attempt([&] { state_.wrongcount = checkedAdd(state_.wrongcount, 1); });
        attempt([&] { c_.Label11.setCaption(numberText(state_.wrongcount)); });
    }
}

void QuizEngine::pressChameleonButton1()
{
    c_.Frame3.setVisible(false);
    c_.Frame1.setVisible(true);
    c_.Frame2.setVisible(true);
    c_.Frame4.setVisible(true);
}

void QuizEngine::pressChameleonButton2()
{
    c_.Frame5.setVisible(false);
    c_.Frame1.setEnabled(true);
    c_.Frame2.setEnabled(true);
    c_.Frame4.setEnabled(true);
    sor();
}

void QuizEngine::tickTimer1()
{
    if (c_.command9.caption() == text::start) {
        vs3_.setRowCount(1);
        ciftkarisik();
    }
}

void QuizEngine::tickTimer2()
{
    const auto open = attemptRead([&] { return c_.Frame5.isVisible(); });
    if (!open || !*open) {
        return;
    }
    if (state_.blinkphase == 0) {
        attempt([&] { c_.Label12.setVisible(true); });
        attempt([&] { c_.Label13.setVisible(false); });
        state_.blinkphase = 1;
    } else if (state_.blinkphase == 1) {
        attempt([&] { c_.Label12.setVisible(false); });
        attempt([&] { c_.Label13.setVisible(true); });
        state_.blinkphase = 0;
    }
}

void QuizEngine::tickTimer3()
{
    attempt([&] { c_.WebBrowser1.navigate(counterAddress_); });
    attempt([&] { c_.Timer3.setEnabled(false); });
}

} // namespace vorlen
