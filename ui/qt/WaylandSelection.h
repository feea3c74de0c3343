// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct wl_display;
struct wl_event_queue;
struct wl_registry;
struct wl_seat;
struct wl_data_device_manager;
struct wl_data_device;
struct zwp_primary_selection_device_manager_v1;
struct zwp_primary_selection_device_v1;

// Reads the Wayland clipboard or primary selection as text, waiting at most
// a set time: an owner that never writes is a failure (no text), not a
// frozen window. The toolkit's own read waits a second for each text type
// and reports a failure as an empty text, which it then keeps.
//
// Uses the toolkit's connection and seat, with an event queue of its own,
// so that the compositor sends it the selection when the window has the
// keyboard focus, as it sends it to the toolkit.
class WaylandSelection {
 public:
  enum class Which { Clipboard, Primary };

  WaylandSelection(wl_display* display, wl_seat* seat, Which which);
  ~WaylandSelection();
  WaylandSelection(const WaylandSelection&) = delete;
  WaylandSelection& operator=(const WaylandSelection&) = delete;

  // The selection's text: empty when nobody offers one or it holds no
  // text; nothing when the owner did not write it all in time, or the
  // compositor has not yet told this device the selection.
  std::optional<std::u16string> Read(std::chrono::milliseconds budget);

  // Takes in what the compositor has said so far, without waiting: the
  // offers it replaced are let go now, not kept queued until the next read
  // (each change of the selection queues an offer and its types, and a
  // window left open all day without a Paste grew with every copy made
  // elsewhere).
  void Settle();

  // An offer and the types it was announced with; the compositor's events
  // land here (public for the C callbacks).
  struct Offer {
    void* proxy = nullptr;
    std::vector<std::string> types;
  };
  void Offered(void* proxy);
  void Typed(void* proxy, const char* type);
  void Selected(void* proxy);  // null: the selection is empty
  void Global(wl_registry* registry, uint32_t name, const char* interface, uint32_t version);

 private:
  void Destroy(void* proxy);

  wl_display* display_;
  wl_seat* seat_;
  Which which_;
  wl_event_queue* queue_ = nullptr;
  wl_registry* registry_ = nullptr;
  wl_data_device_manager* manager_ = nullptr;
  wl_data_device* device_ = nullptr;
  zwp_primary_selection_device_manager_v1* primaryManager_ = nullptr;
  zwp_primary_selection_device_v1* primaryDevice_ = nullptr;
  std::map<void*, Offer> offers_;
  void* selection_ = nullptr;
  bool told_ = false;  // the compositor has said what the selection is
};
