#pragma once

#include <functional>

// Every entry from the event loop (a command, a button, an event handler) runs inside this
// guard: an engine error or any other exception is shown through the Prompter, as the
// platform's default handler would, and the program goes on. Returns false when it caught one.
bool runGuarded(const std::function<void()> &work);
