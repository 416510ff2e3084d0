#pragma once
// For programs that drive the editor outside a test: presses OK on every message box (or
// rejects it when it has no OK) and reports it on standard output as
// "MESSAGE <icon> <text> | <details>".

void pressEveryMessage();
