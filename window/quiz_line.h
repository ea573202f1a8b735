// A straight line drawn on its panel, beneath the panel's other controls: a
// widget over exactly the bar the line covers, cut to the panel's inside,
// filled with the line's colour and letting every click through.
#pragma once

#include "present/drawing.h"

#include <QColor>
#include <QWidget>

namespace vorlen {

class QuizLine : public QWidget {
    Q_OBJECT

public:
    // The bar in pixels of the parent panel (present::lineBox).
    QuizLine(present::Box bar, QWidget* parent = nullptr);

    [[nodiscard]] QColor colour() const { return colour_; }
    void setColour(QColor colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

} // namespace vorlen
