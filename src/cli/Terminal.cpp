#include "cli/Terminal.h"

#include <QtGlobal>

#include <cstdio>

#if defined(Q_OS_WIN)
#include <io.h>

bool StandardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }
#else
#include <unistd.h>

bool StandardErrorIsTerminal() { return isatty(fileno(stderr)) != 0; }
#endif
