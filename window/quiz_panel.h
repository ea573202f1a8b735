// A plain container with no border of its own that clips its children and
// draws its straight lines beneath them. It knows nothing of the quiz.
#pragma once

#include <QColor>
#include <QFrame>
#include <QLine>
#include <QVector>

namespace vorlen {

class QuizPanel : public QFrame {
    Q_OBJECT

public:
    struct Line {
        QLine points; // pixels of this panel; may reach past its edges
        int width = 1;
        QColor colour;
    };

    explicit QuizPanel(QWidget* parent = nullptr);

    void addLine(const Line& line);
    [[nodiscard]] const QVector<Line>& lines() const { return lines_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVector<Line> lines_;
};

} // namespace vorlen
