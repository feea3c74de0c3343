// SPDX-License-Identifier: MIT
/* A pointer and a keyboard for a headless wlroots compositor, one of each
 * for the whole run (a keyboard made anew per call loses keys). Reads
 * commands from stdin and answers each with "ok" once the compositor has
 * seen it:
 *   move X Y          pointer to X, Y of a WIDTH x HEIGHT layout
 *   click B | down B | up B   button 1 left, 2 middle, 3 right
 *   key A+B+...       xkb key names; shift, ctrl and alt are modifiers
 *   type TEXT         each character by the key that gives it
 * Usage: wl_input WIDTH HEIGHT   (WAYLAND_DISPLAY names the compositor) */
#define _GNU_SOURCE
#include <linux/input-event-codes.h>
#include <locale.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>
#include <wchar.h>
#include <xkbcommon/xkbcommon.h>

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

static struct wl_seat* seat;
static struct zwp_virtual_keyboard_manager_v1* keyboards;
static struct zwlr_virtual_pointer_manager_v1* pointers;

static void global(void* data, struct wl_registry* r, uint32_t name, const char* iface, uint32_t version) {
  (void)data;
  (void)version;
  if (!strcmp(iface, wl_seat_interface.name)) seat = wl_registry_bind(r, name, &wl_seat_interface, 1);
  if (!strcmp(iface, zwp_virtual_keyboard_manager_v1_interface.name))
    keyboards = wl_registry_bind(r, name, &zwp_virtual_keyboard_manager_v1_interface, 1);
  if (!strcmp(iface, zwlr_virtual_pointer_manager_v1_interface.name))
    pointers = wl_registry_bind(r, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}
static void global_remove(void* data, struct wl_registry* r, uint32_t name) {
  (void)data;
  (void)r;
  (void)name;
}
static const struct wl_registry_listener registry_listener = {global, global_remove};

static uint32_t now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

static struct xkb_keymap* keymap;
static struct zwp_virtual_keyboard_v1* kb;
static struct zwlr_virtual_pointer_v1* ptr;
static struct wl_display* display;

/* The key and shift level that give a keysym. */
static int find_key(xkb_keysym_t sym, xkb_keycode_t* code, int* level) {
  for (xkb_keycode_t k = xkb_keymap_min_keycode(keymap); k <= xkb_keymap_max_keycode(keymap); ++k) {
    for (int l = 0; l < 2; ++l) {
      const xkb_keysym_t* syms;
      int n = xkb_keymap_key_get_syms_by_level(keymap, k, 0, (xkb_level_index_t)l, &syms);
      for (int i = 0; i < n; ++i) {
        if (syms[i] == sym) {
          *code = k;
          *level = l;
          return 1;
        }
      }
    }
  }
  return 0;
}

static uint32_t mod_mask(const char* name) { return 1u << xkb_keymap_mod_get_index(keymap, name); }

static void press(xkb_keycode_t code, uint32_t mods) {
  zwp_virtual_keyboard_v1_modifiers(kb, mods, 0, 0, 0);
  zwp_virtual_keyboard_v1_key(kb, now(), code - 8, WL_KEYBOARD_KEY_STATE_PRESSED);
  zwp_virtual_keyboard_v1_key(kb, now(), code - 8, WL_KEYBOARD_KEY_STATE_RELEASED);
  zwp_virtual_keyboard_v1_modifiers(kb, 0, 0, 0, 0);
  wl_display_roundtrip(display);
}

static int key_chord(char* chord) {
  uint32_t mods = 0;
  xkb_keycode_t code = 0;
  int level = 0;
  for (char* part = strtok(chord, "+"); part; part = strtok(NULL, "+")) {
    if (!strcmp(part, "shift"))
      mods |= mod_mask(XKB_MOD_NAME_SHIFT);
    else if (!strcmp(part, "ctrl"))
      mods |= mod_mask(XKB_MOD_NAME_CTRL);
    else if (!strcmp(part, "alt"))
      mods |= mod_mask(XKB_MOD_NAME_ALT);
    else {
      xkb_keysym_t sym = xkb_keysym_from_name(part, XKB_KEYSYM_NO_FLAGS);
      if (sym == XKB_KEY_NoSymbol || !find_key(sym, &code, &level)) return 0;
      if (level) mods |= mod_mask(XKB_MOD_NAME_SHIFT);
    }
  }
  if (!code) return 0;
  press(code, mods);
  return 1;
}

static int type_text(const char* text) {
  mbstate_t state;
  memset(&state, 0, sizeof state);
  for (const char* p = text; *p;) {
    wchar_t c;
    size_t n = mbrtowc(&c, p, strlen(p), &state);
    if (n == 0 || n > 4) return 0;
    p += n;
    xkb_keycode_t code;
    int level;
    if (!find_key(xkb_utf32_to_keysym((uint32_t)c), &code, &level)) return 0;
    press(code, level ? mod_mask(XKB_MOD_NAME_SHIFT) : 0);
  }
  return 1;
}

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const uint32_t width = (uint32_t)atoi(argv[1]), height = (uint32_t)atoi(argv[2]);
  setlocale(LC_CTYPE, "C.UTF-8");  // `type` reads its text as UTF-8
  display = wl_display_connect(NULL);
  if (!display) return 1;
  struct wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &registry_listener, NULL);
  wl_display_roundtrip(display);
  if (!seat || !keyboards || !pointers) {
    fprintf(stderr, "wl_input: the compositor has no virtual keyboard or pointer\n");
    return 1;
  }
  struct xkb_context* ctx = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  struct xkb_rule_names names = {0};
  keymap = xkb_keymap_new_from_names(ctx, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
  char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
  const size_t size = strlen(text) + 1;
  int fd = memfd_create("keymap", MFD_CLOEXEC);
  if (fd < 0 || write(fd, text, size) != (ssize_t)size) return 1;
  kb = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(keyboards, seat);
  zwp_virtual_keyboard_v1_keymap(kb, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, (uint32_t)size);
  ptr = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(pointers, seat);
  wl_display_roundtrip(display);
  setvbuf(stdout, NULL, _IOLBF, 0);

  char line[4096];
  while (fgets(line, sizeof line, stdin)) {
    line[strcspn(line, "\n")] = 0;
    char* arg = strchr(line, ' ');
    if (arg) *arg++ = 0;
    int ok = 1;
    if (!strcmp(line, "move") && arg) {
      unsigned x, y;
      ok = sscanf(arg, "%u %u", &x, &y) == 2;
      if (ok) {
        zwlr_virtual_pointer_v1_motion_absolute(ptr, now(), x, y, width, height);
        zwlr_virtual_pointer_v1_frame(ptr);
      }
    } else if ((!strcmp(line, "click") || !strcmp(line, "down") || !strcmp(line, "up")) && arg) {
      const int b = atoi(arg);
      const uint32_t button = b == 2 ? BTN_MIDDLE : b == 3 ? BTN_RIGHT : BTN_LEFT;
      if (strcmp(line, "up")) {
        zwlr_virtual_pointer_v1_button(ptr, now(), button, WL_POINTER_BUTTON_STATE_PRESSED);
        zwlr_virtual_pointer_v1_frame(ptr);
      }
      if (strcmp(line, "down")) {
        zwlr_virtual_pointer_v1_button(ptr, now(), button, WL_POINTER_BUTTON_STATE_RELEASED);
        zwlr_virtual_pointer_v1_frame(ptr);
      }
    } else if (!strcmp(line, "key") && arg) {
      ok = key_chord(arg);
    } else if (!strcmp(line, "type") && arg) {
      ok = type_text(arg);
    } else {
      ok = 0;
    }
    wl_display_roundtrip(display);
    printf(ok ? "ok\n" : "error\n");
  }
  return 0;
}
