// A straight line drawn on its panel, beneath the panel's other controls: a
// widget that covers the line's extent, paints the line and lets every click
// through. Its end points may lie outside the panel, which clips it.
#pragma once

#include <QColor>
#include <QLine>
#include <QWidget>

namespace vorlen {

class QuizLine : public QWidget {
    Q_OBJECT

public:
    // The end points and the width in pixels of the parent panel.
    QuizLine(QLine points, int width, QColor colour, QWidget* parent = nullptr);

    [[nodiscard]] QLine points() const { return points_; }
    [[nodiscard]] int lineWidth() const { return width_; }
    [[nodiscard]] QColor colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLine points_;
    int width_;
    QColor colour_;
};

} // namespace vorlen
