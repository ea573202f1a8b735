// The accessibility events that got past the program's screen-reader filter,
// recorded by the test main in place of the platform's bridge.
#pragma once

#include <QAccessible>
#include <QString>

#include <vector>

namespace vorlen {

struct Heard {
    QAccessible::Event type;
    QString object; // its objectName
    QString name;   // its accessible name when the event was sent
};

std::vector<Heard>& heard();

} // namespace vorlen
