// When the program's first window is on the screen, for the start-up
// benchmark (bench/bench_startup.cpp), which starts the program and a bare
// Qt window the same way and compares the two.  Off unless the logging rule
// "vesk.startup.debug=true" is given (QT_LOGGING_RULES, read by Qt itself);
// then the first exposure of a window prints one debug line
// "exposed <µs>", the monotonic clock (CLOCK_MONOTONIC) at that moment.
// Off, it costs one check at start.
#pragma once

class QCoreApplication;

void ReportFirstExposure(QCoreApplication& app);
