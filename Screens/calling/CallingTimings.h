#pragma once

// The two timings of the calling screens, kept in one place so that tests can stretch them: a
// test calls the timers' slots itself and must not be overtaken by the real timers.
struct CallingTimings {
    // The active-call screens count call time once per tick.
    int durationTickMilliseconds = 1000;
    // A digit key held this long on an empty number field starts a speed dial.
    int longPressMilliseconds = 1000;

    // The program's timings; tests change them before they build a window.
    static CallingTimings& current();
};
