// SPDX-License-Identifier: MIT
// Starts a program and measures the time from launch until the X server
// maps its first top-level window (MapNotify on the root window), then its
// peak resident memory once it has settled. Prints "<ms> <KiB>", and with
// -p "<ms> <KiB> <painted ms>": launch to the last drawing on the screen
// (X damage) before 150 ms without any, once the window is mapped.
//   mapwatch [-o] [-p] [-c] program [args...]
// -o counts override-redirect windows too (Wine's, when Wine and not a
// window manager places them). -c is for a compositor nested in the X
// server (KWin's output window): there is no window of the program's to
// map, and its first drawing on the screen stands for the map (implies -p).
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>
#ifdef NOMBRELIX_HAVE_DAMAGE
#include <xcb/damage.h>
#endif

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
  bool overrideRedirect = false, painted = false, nested = false;
  for (; argc > 1 && argv[1][0] == '-'; --argc, ++argv) {
    const std::string flag = argv[1];
    if (flag == "-o") overrideRedirect = true;
    if (flag == "-p" || flag == "-c") painted = true;
    if (flag == "-c") nested = true;
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
  // Every drawing on the screen, with no compositor, damages the root.
  uint8_t damageEvent = 0;
  if (painted) {
#ifdef NOMBRELIX_HAVE_DAMAGE
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(x, &xcb_damage_id);
    if (ext && ext->present) {
      free(xcb_damage_query_version_reply(x, xcb_damage_query_version(x, 1, 1), nullptr));
      xcb_damage_create(x, xcb_generate_id(x), root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
      damageEvent = ext->first_event + XCB_DAMAGE_NOTIFY;
    }
#endif
    if (!damageEvent) {
      std::fprintf(stderr, "mapwatch: no X damage extension to see the painting by\n");
      return 2;
    }
  }
  xcb_flush(x);
  if (nested) {
    // The damage's own first report, and anything still being drawn, go
    // before the launch: 100 ms without drawing.
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    for (;;) {
      while (xcb_generic_event_t* event = xcb_poll_for_event(x)) std::free(event);
      if (poll(&fd, 1, 100) == 0) break;
    }
  }

  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  double ms = -1;
  while (xcb_generic_event_t* event = xcb_wait_for_event(x)) {
    const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
    if (nested && (event->response_type & 0x7F) == damageEvent) {
      ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      break;
    }
    if (!nested && (event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
      const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
      if (map->event == root && (overrideRedirect || !map->override_redirect)) {
        ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        break;
      }
    }
  }
  double paintedMs = ms;
  if (painted && ms >= 0) {
    // Drawing goes on until a quiet spell; a window that never settles
    // (5 s) is taken at its last drawing.
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    const auto until = start + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < until) {
      xcb_generic_event_t* event = xcb_poll_for_event(x);
      if (!event) {
        if (poll(&fd, 1, 150) == 0) break;
        continue;
      }
      if ((event->response_type & 0x7F) == damageEvent) {
        paintedMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      }
      std::free(event);
    }
  }
  // Let it finish its first paint before reading its peak memory.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const long kib = PeakResidentKiB(pid);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  xcb_disconnect(x);
  if (painted) {
    std::printf("%.1f %ld %.1f\n", ms, kib, paintedMs);
  } else {
    std::printf("%.1f %ld\n", ms, kib);
  }
  return ms < 0 ? 1 : 0;
}
