#pragma once

#include <QString>

// What goes wrong without stopping the run is told on standard error, one
// line prefixed with the program's name, as the desktop's session log keeps it.
namespace StandardError {
void tell(const QString& message);
}
