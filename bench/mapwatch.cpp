// SPDX-License-Identifier: MIT
// Starts a program and measures the time from launch until the X server
// maps its first top-level window (MapNotify on the root window), then its
// peak resident memory once it has settled. Prints "<ms> <KiB>".
//   mapwatch [-o] program [args...]
// -o counts override-redirect windows too (Wine's, when Wine and not a
// window manager places them).
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

namespace {

long PeakResidentKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
  const bool overrideRedirect = argc > 1 && std::string(argv[1]) == "-o";
  if (overrideRedirect) {
    --argc;
    ++argv;
  }
  if (argc < 2) {
    std::fprintf(stderr, "usage: mapwatch program [args...]\n");
    return 2;
  }
  xcb_connection_t* x = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(x)) {
    std::fprintf(stderr, "mapwatch: cannot reach the X server\n");
    return 2;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(x);

  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  double ms = -1;
  while (xcb_generic_event_t* event = xcb_wait_for_event(x)) {
    const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
    if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
      const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
      if (map->event == root && (overrideRedirect || !map->override_redirect)) {
        ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        break;
      }
    }
  }
  // Let it finish its first paint before reading its peak memory.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const long kib = PeakResidentKiB(pid);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  xcb_disconnect(x);
  std::printf("%.1f %ld\n", ms, kib);
  return ms < 0 ? 1 : 0;
}
