#pragma once
#include <functional>

enum class FinAttente {
    Fini,      // the work ended (an exception it threw has been thrown again)
    Delai,     // the time limit passed first
    Interrompu // the program is quitting
};

// Runs `travail` on a thread of its own while the calling thread's event loop keeps running
// (the window redraws, its timers tick), for at most `limite_ms`. A work that overruns is
// left to end on its own: it must own what it touches.
FinAttente attend_hors_fil(std::function<void()> travail, int limite_ms);
