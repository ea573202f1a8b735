// The moves of a child at the window, for the tests that play a quiz on the
// real window: which answer button shows the right answer, or a wrong one
// (tests/support/answer.h), as the window's widgets show them.
#pragma once

class Form1;

namespace vorlen {
class QuizButton;
} // namespace vorlen

namespace vorlen::test {

// The answer button whose caption is (right) or is not (wrong) the answer of
// the question on screen; nullptr when none is.
[[nodiscard]] QuizButton* answerButton(Form1& form, bool right);

} // namespace vorlen::test
