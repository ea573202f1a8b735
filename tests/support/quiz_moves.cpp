#include "tests/support/quiz_moves.h"

#include "window/form1.h"
#include "window/quiz_button.h"

namespace vorlen::test {

QuizButton* answerButton(Form1& form, bool right)
{
    const QString correct = QString::fromStdString(form.quizState().correctanswer);
    for (QuizButton* button : form.parts().answers()) {
        if ((button->text() == correct) == right) {
            return button;
        }
    }
    return nullptr;
}

} // namespace vorlen::test
