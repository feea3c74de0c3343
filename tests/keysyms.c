// SPDX-License-Identifier: MIT
// Gives every character of the texts given that the keyboard map lacks a
// keycode of its own, once, as a keyboard layout would. Without it xdotool
// binds a spare keycode for each such character it types and takes it back
// after: two keymap changes a character, and a Wine window grows at each
// (about 3 KiB, a bare Win32 window alike), which a long storm would count
// against the program.
// Usage: keysyms TEXT...   (UTF-8; DISPLAY names the X server)
#include <X11/Xlib.h>
#include <stdio.h>

// The next code point of a UTF-8 text, or 0 at its end.
static unsigned long next_code_point(const unsigned char** s) {
  unsigned long c = *(*s)++;
  if (c < 0x80) return c;
  int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
  c &= 0x3F >> more;
  while (more-- > 0 && (**s & 0xC0) == 0x80) c = (c << 6) | (*(*s)++ & 0x3F);
  return c;
}

int main(int argc, char* argv[]) {
  Display* display = XOpenDisplay(NULL);
  if (!display) return 1;
  int low, high, per;
  XDisplayKeycodes(display, &low, &high);
  KeySym* map = XGetKeyboardMapping(display, (KeyCode)low, high - low + 1, &per);
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    const unsigned char* s = (const unsigned char*)argv[i];
    unsigned long c;
    while ((c = next_code_point(&s)) != 0) {
      if (c < 0x80) continue;  // on every layout the tests use
      // Latin-1's keysyms are its code points; the rest are Unicode keysyms.
      const KeySym sym = c < 0x100 ? c : 0x1000000 + c;
      int found = 0, spare = -1;
      for (int k = high; k >= low && !found; --k) {
        int empty = 1;
        for (int j = 0; j < per; ++j) {
          found |= map[(k - low) * per + j] == sym;
          empty &= map[(k - low) * per + j] == NoSymbol;
        }
        if (empty && spare < 0) spare = k;
      }
      if (found) continue;
      if (spare < 0) {
        fprintf(stderr, "keysyms: no spare keycode for U+%04lX\n", c);
        status = 1;
        break;
      }
      for (int j = 0; j < per && j < 2; ++j) map[(spare - low) * per + j] = sym;  // and shifted
      XChangeKeyboardMapping(display, spare, per, &map[(spare - low) * per], 1);
    }
  }
  XFree(map);
  XCloseDisplay(display);
  return status;
}
