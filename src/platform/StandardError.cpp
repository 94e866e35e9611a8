#include "StandardError.h"

#include <cstdio>

void StandardError::tell(const QString& message)
{
    std::fprintf(stderr, "zembrak: %s\n", qPrintable(message));
}
