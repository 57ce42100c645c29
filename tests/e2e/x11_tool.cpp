// What the end-to-end test needs from X that xdotool does not do:
//   qel-e2e-x11 close WINDOW          ask the window to close, as a window
//                                     manager's close button does
//   qel-e2e-x11 pixel WINDOW X Y      print the colour shown at (X, Y) as RRGGBB
//   qel-e2e-x11 focus                 print the window that has the keyboard
//                                     (0: none, 1: whichever is under the pointer)
//   qel-e2e-x11 unfocus               give the keyboard to no window, as X does
//                                     when the focused window goes
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
bool ParseNumber(const char* text, unsigned long& value) {
  char* end = nullptr;
  value = std::strtoul(text, &end, 0);
  return end && end != text && *end == '\0';
}

void Close(Display* d, Window w) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, w, False, NoEventMask, &e);
  XSync(d, False);
}

bool PrintPixel(Display* d, Window w, int x, int y) {
  XImage* image = XGetImage(d, w, x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return false;
  XColor c{};
  c.pixel = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  XWindowAttributes a;
  XGetWindowAttributes(d, w, &a);
  XQueryColor(d, a.colormap, &c);
  std::printf("%02X%02X%02X\n", c.red >> 8, c.green >> 8, c.blue >> 8);
  return true;
}
}  // namespace

// The focus commands take no window.
int Focus(const char* command) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return std::fprintf(stderr, "cannot open the display\n"), 1;
  if (std::strcmp(command, "unfocus") == 0) {
    XSetInputFocus(display, None, RevertToNone, CurrentTime);
    XSync(display, False);
  } else {
    Window w = 0;
    int revert = 0;
    XGetInputFocus(display, &w, &revert);
    std::printf("%lu\n", static_cast<unsigned long>(w));
  }
  XCloseDisplay(display);
  return 0;
}

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "focus") == 0 || std::strcmp(argv[1], "unfocus") == 0))
    return Focus(argv[1]);
  unsigned long window = 0, x = 0, y = 0;
  bool close = argc == 3 && std::strcmp(argv[1], "close") == 0;
  bool pixel = argc == 5 && std::strcmp(argv[1], "pixel") == 0 && ParseNumber(argv[3], x) && ParseNumber(argv[4], y);
  if ((!close && !pixel) || !ParseNumber(argv[2], window) || window == 0) {
    std::fprintf(stderr, "usage: %s close WINDOW | pixel WINDOW X Y | focus | unfocus\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
    return 1;
  }
  bool ok = true;
  if (close) Close(display, window);
  else ok = PrintPixel(display, window, static_cast<int>(x), static_cast<int>(y));
  XCloseDisplay(display);
  if (!ok) std::fprintf(stderr, "%s: cannot read the window at %lu, %lu\n", argv[0], x, y);
  return ok ? 0 : 1;
}
