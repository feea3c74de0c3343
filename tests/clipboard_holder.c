// SPDX-License-Identifier: MIT
/* Holds the Windows clipboard open for a while, as a clipboard manager or a
 * busy program may: opens it with a window of its own (Wine lets a second
 * program open the clipboard when both pass no window), says "held", and
 * closes it after the given milliseconds, saying "done". Meanwhile, each
 * line read from stdin measures how long the Nombrelix window takes to take
 * a typed key: "answered N ms".
 * Usage: clipboard_holder MILLISECONDS */
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>
#include <windows.h>

/* On a line from stdin: waits for the Decimal box's text to change (a key
 * typed after a click on Paste takes effect only once the window is done
 * with that click) and says when. */
static DWORD WINAPI Watch(void* unused) {
  (void)unused;
  char line[64];
  while (fgets(line, sizeof line, stdin)) {
    HWND window = FindWindowW(L"Nombrelix.frmMain", NULL);
    HWND box = window ? FindWindowExW(window, NULL, L"Edit", NULL) : NULL;
    wchar_t before[256] = L"", now[256] = L"";
    DWORD_PTR got; /* WM_GETTEXT: GetWindowText gives no other program's box text */
    if (box) SendMessageTimeoutW(box, WM_GETTEXT, 256, (LPARAM)before, SMTO_NORMAL, 5000, &got);
    const DWORD asked = GetTickCount();
    DWORD waited = 0;
    do {
      Sleep(5);
      waited = GetTickCount() - asked;
      if (box) SendMessageTimeoutW(box, WM_GETTEXT, 256, (LPARAM)now, SMTO_NORMAL, 5000, &got);
    } while (box && wcscmp(before, now) == 0 && waited < 5000);
    printf("answered %lu ms\n", (unsigned long)waited);
    fflush(stdout);
  }
  return 0;
}

int main(int argc, char** argv) {
  const DWORD ms = argc > 1 ? (DWORD)strtoul(argv[1], NULL, 10) : 3000;
  HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
  if (!owner || !OpenClipboard(owner)) {
    puts("cannot open the clipboard");
    return 1;
  }
  puts("held");
  fflush(stdout);
  CloseHandle(CreateThread(NULL, 0, Watch, NULL, 0, NULL));
  Sleep(ms);
  CloseClipboard();
  puts("done");
  fflush(stdout);
  ExitProcess(0);
}
