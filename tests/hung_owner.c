// SPDX-License-Identifier: MIT
/* Takes a selection (CLIPBOARD, or the one named on the command line) and
 * never answers a request for it, as a hung clipboard manager does. Prints
 * "owned" once it holds the selection, and "lost" when another program
 * takes it, then ends. */
#include <X11/Xlib.h>
#include <stdio.h>

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(NULL);
  if (!display) {
    fputs("hung_owner: cannot open the display\n", stderr);
    return 1;
  }
  Atom selection = XInternAtom(display, argc > 1 ? argv[1] : "CLIPBOARD", False);
  Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(display, selection, window, CurrentTime);
  if (XGetSelectionOwner(display, selection) != window) {
    fputs("hung_owner: could not take the selection\n", stderr);
    return 1;
  }
  puts("owned");
  fflush(stdout);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event); /* every request goes unanswered */
    if (event.type == SelectionClear) {
      puts("lost");
      return 0;
    }
  }
}
