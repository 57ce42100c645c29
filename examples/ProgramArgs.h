// The command line of the example and tool programs, read one way for all:
//   PROGRAM --help              the usage on stdout, exit 0
//   PROGRAM --screenshot DIR    no window: the program writes its pictures into DIR
//   PROGRAM [OPERAND...]        what the program does with no options
// Anything else (an unknown option, a missing DIR, too many operands) prints
// the usage on stderr and exits 2, before the program writes anything, so a
// mistyped option never becomes the name of a file.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef QEL_HAVE_SDL
#include "qel/sdl.h"
#endif

namespace examples {

struct TProgram {
  const char* Name;              // "qel-minimal"
  const char* About;             // one line on what the program shows
  const char* Operands = "";     // e.g. "[FOLDER]"; empty: the program takes none
  int MaxOperands = 0;
  const char* Run = "a window";  // what a run without --screenshot does
  const char* Shot = "";         // what --screenshot writes; empty: "DIR/minimal.png" for "qel-minimal"
};

struct TArgs {
  std::string ScreenshotDir;  // empty: no --screenshot
  std::vector<std::string> Operands;
  bool Headless() const { return !ScreenshotDir.empty(); }
};

inline void PrintUsage(std::FILE* To, const TProgram& P) {
  const std::string operands = *P.Operands ? std::string(" ") + P.Operands : std::string();
  std::string shot = P.Shot;
  if (shot.empty()) shot = "DIR/" + std::string(P.Name).substr(std::string(P.Name).rfind('-') + 1) + ".png";
  std::fprintf(To, "usage: %s%s\n       %s --screenshot DIR\n       %s --help\n%s\n", P.Name, operands.c_str(),
               P.Name, P.Name, P.About);
  std::fprintf(To, "  %-20s %s\n", (*P.Operands ? P.Operands : "(no options)"), P.Run);
  std::fprintf(To, "  %-20s no window: writes %s\n", "--screenshot DIR", shot.c_str());
  std::fprintf(To, "  %-20s this text\n", "--help");
}

// Prints Why and the usage on stderr and ends the program with exit code 2.
[[noreturn]] inline void UsageError(const TProgram& P, const std::string& Why) {
  std::fprintf(stderr, "%s: %s\n", P.Name, Why.c_str());
  PrintUsage(stderr, P);
  std::exit(2);
}

// Reads argv; returns only when the arguments are sound (see the top).
inline TArgs ParseArgsOrExit(int argc, char** argv, const TProgram& P) {
  TArgs args;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      PrintUsage(stdout, P);
      std::exit(0);
    } else if (a == "--screenshot") {
      if (i + 1 >= argc || std::string(argv[i + 1]).empty()) UsageError(P, "--screenshot needs a folder");
      args.ScreenshotDir = argv[++i];
    } else if (a.size() > 1 && a[0] == '-') {
      UsageError(P, "unknown option " + a);
    } else {
      args.Operands.push_back(a);
    }
  }
  if (int(args.Operands.size()) > P.MaxOperands)
    UsageError(P, P.MaxOperands == 0 ? "takes no operands" : "too many operands");
  if (args.Headless() && !args.Operands.empty()) UsageError(P, "--screenshot takes no other operands");
  return args;
}

// Reads argv (see the top) and, without --screenshot, opens the display for
// a real window; a build without the SDL host can only take screenshots.
inline TArgs StartOrExit(int argc, char** argv, const TProgram& P) {
  TArgs args = ParseArgsOrExit(argc, argv, P);
#ifdef QEL_HAVE_SDL
  if (!args.Headless()) qel::InstallSdlHost();
#else
  if (!args.Headless()) UsageError(P, "built without SDL: no window, only --screenshot DIR");
#endif
  return args;
}

}  // namespace examples
