// The hidden text box through which every answer caption passes: it holds
// one text and gives it back unchanged. It is never shown and never takes the
// focus, and unlike an edit field it tells screen readers nothing when its
// text changes, which it does eleven times a second while the window idles.
#pragma once

#include <QString>
#include <QWidget>

namespace vorlen {

class ScratchTextBox : public QWidget {
    Q_OBJECT

public:
    explicit ScratchTextBox(QWidget* parent = nullptr) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

    [[nodiscard]] const QString& text() const { return text_; }
    void setText(const QString& text) { text_ = text; }

private:
    QString text_;
};

} // namespace vorlen
