#include "tests/support/quiz_moves.h"

#include "tests/support/answer.h"
#include "window/form1.h"
#include "window/quiz_button.h"
#include "window/quiz_label.h"

#include <string>

namespace vorlen::test {

QuizButton* answerButton(Form1& form, bool right)
{
    const auto caption = [&form](design::Part part) -> std::string {
        QObject* widget = form.parts()[part];
        return design::kind(part) == design::Kind::Label
                   ? static_cast<QuizLabel*>(widget)->caption()
                   : static_cast<QuizButton*>(widget)->text().toStdString();
    };
    const auto part = answerButton(caption, right);
    return part ? static_cast<QuizButton*>(form.parts()[*part]) : nullptr;
}

} // namespace vorlen::test
