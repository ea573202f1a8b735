// What a test stages that no child can reach through the window: a quiz state
// that makes a handler fail, or the same question asked twice. For the tests
// only; the program changes the quiz state through the form's events alone.
#pragma once

#include "engine/quiz_state.h"
#include "present/form.h"

namespace vorlen::present {

struct FormProbe {
    static QuizState& quizState(Form& form) { return form.engine_.state(); }

    // The form behind a front end's window (Form1, Qt or Win32).
    template <typename Window> static QuizState& quizState(Window& window)
    {
        return quizState(*window.form_);
    }
};

} // namespace vorlen::present
