#ifndef TIVOK_BENCH_FIRST_WINDOW_H_
#define TIVOK_BENCH_FIRST_WINDOW_H_

#include <string_view>

namespace tivok {

// The argument that makes tivok_bench start as a program would: create the
// application, show one window ("bare" for a Qt window with one label,
// "controls" for a Qt window with the kinds of controls Tivok's has, "tivok"
// for the main window), let it draw, and exit.
inline constexpr std::string_view kFirstWindowOption = "--first-window=";

// Runs that start for `which`; returns the process's exit status.
int ShowFirstWindow(int argc, char** argv, std::string_view which);

}  // namespace tivok

#endif  // TIVOK_BENCH_FIRST_WINDOW_H_
