// How the window reaches a screen reader through Qt's accessibility: the
// accessible interfaces of the window's own widgets (panels as groupings
// that leave out the parts another part speaks for, labels read by their
// names, lists read with their label and their choice, the announcement
// object), and a filter that keeps off the accessibility bus what no one
// should hear (the left-out parts, and caption changes under an unchanged
// name). A ScreenReader gives one window's widgets the names, descriptions
// and roles of the window model and says its announcements. It decides
// nothing: the window model does.
#pragma once

#include "present/form.h"
#include "window/window_parts.h"

#include <QWidget>

#include <string>

namespace vorlen {

// Once for the application, before any window is made.
void installScreenReaderSupport();

// A zero-sized child of the window that is shown for a moment to say one
// thing. Screen readers speak a notification when it appears, wherever the
// focus is; a name change alone goes unheard.
class Announcement : public QWidget {
    Q_OBJECT

public:
    explicit Announcement(QWidget* window);
};

class ScreenReader {
public:
    ScreenReader(QWidget& window, const WindowParts& parts, const present::WindowModel& model);

    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    void setName(design::Part part, const std::string& name);
    void setDescription(design::Part part, const std::string& description);
    // Into the tree, or out of it, telling screen readers that the part's
    // panel gained or lost a child.
    void place(design::Part part, bool inTree);

    void announce(const present::Announcement& announcement);

private:
    const WindowParts& parts_;          // the window's, which outlives this
    Announcement* announcer_ = nullptr; // owned by the window
};

} // namespace vorlen
