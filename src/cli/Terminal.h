#pragma once

// Whether the program's standard error goes to a terminal (progress is drawn as a bar there).
bool StandardErrorIsTerminal();
