// The quiz itself: the four ways of drawing a question, the answer choices,
// asking, starting and stopping, judging and counting answers, the three timer
// ticks and the window's load. It reaches the window only through Controls
// and knows nothing of widgets, layout, fonts or the network.
#pragma once

#include "engine/controls.h"
#include "engine/quiz_state.h"
#include "engine/random_source.h"
#include "engine/scratch_table.h"

#include <cstdint>
#include <string>

namespace vorlen {

// Two kinds of routine, fixed per routine:
//  - "carries on": a step that fails is skipped, whatever it throws, and the
//    routine goes on with its next step; nothing leaves the routine.
//  - "passes on": the first failure ends the routine and reaches the caller as
//    a std::exception.
class QuizEngine {
public:
    QuizEngine(Controls controls, RandomSource random, std::string counterAddress);

    // Question methods (carry on). Each shows a question in Label1 and
    // Label3, fills the answer buttons and leaves the factors in the state.
    void tekkarisik();  // one table, mixed: ten second factors per cycle
    void teksirali();   // one table, 1..10 then again
    void ciftkarisik(); // all tables, mixed: a hundred pairs per cycle
    void ciftsirali();  // all tables, 1x1 .. 10x10 then again

    // Four distinct products f*m' in random order on cev1..cev4, one of them
    // f*m. Passes on.
    void fillanswers(std::int16_t f, std::int16_t m);

    // Asks the next question of the current mode and stores its product in
    // correctanswer. Passes on.
    void sor();

    void load();                  // carries on
    void pressCommand9();         // carries on
    void pressCev1();             // carries on
    void pressCev2();             // carries on
    void pressCev3();             // carries on
    void pressCev4();             // carries on
    void pressChameleonButton1(); // passes on
    void pressChameleonButton2(); // passes on
    void tickTimer1();            // passes on
    void tickTimer2();            // carries on
    void tickTimer3();            // carries on

    [[nodiscard]] QuizState& state() { return state_; }
    [[nodiscard]] const QuizState& state() const { return state_; }
    [[nodiscard]] ScratchTable& vs3() { return vs3_; }

private:
    void answer(const Button& button);
    void startQuiz();
    void stopQuiz();
    void showIdle(); // the resting window, after the load step and after Dur
    void showFactors(std::int16_t a, std::int16_t b);
    Button& answerButton(std::int32_t row);

    Controls c_;
    RandomSource random_;
    std::string counterAddress_;
    QuizState state_;
    ScratchTable vs1_{1}; // second factors used in this cycle
    ScratchTable vs2_{2}; // candidate second factor, ordering key
    ScratchTable vs3_{1}; // pairs used in this cycle, as "3x7"
};

} // namespace vorlen
