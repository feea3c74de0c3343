// SPDX-License-Identifier: MIT
#include "WaylandSelection.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>

#include <QString>
#include <algorithm>
#include <cerrno>

#include "primary-selection-unstable-v1-client-protocol.h"

namespace {

using Clock = std::chrono::steady_clock;

WaylandSelection& Self(void* data) { return *static_cast<WaylandSelection*>(data); }

// The text types, best first.
constexpr const char* kTypes[] = {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain", "TEXT", "STRING"};

const wl_data_offer_listener kOfferListener = {
    [](void* data, wl_data_offer* offer, const char* type) { Self(data).Typed(offer, type); },
    [](void*, wl_data_offer*, uint32_t) {},  // source actions: drags only
    [](void*, wl_data_offer*, uint32_t) {},  // action: drags only
};

const zwp_primary_selection_offer_v1_listener kPrimaryOfferListener = {
    [](void* data, zwp_primary_selection_offer_v1* offer, const char* type) {
      Self(data).Typed(offer, type);
    },
};

const wl_data_device_listener kDeviceListener = {
    [](void* data, wl_data_device*, wl_data_offer* offer) {
      wl_data_offer_add_listener(offer, &kOfferListener, data);
      Self(data).Offered(offer);
    },
    [](void*, wl_data_device*, uint32_t, wl_surface*, wl_fixed_t, wl_fixed_t, wl_data_offer*) {},  // enter
    [](void*, wl_data_device*) {},                                                                 // leave
    [](void*, wl_data_device*, uint32_t, wl_fixed_t, wl_fixed_t) {},                               // motion
    [](void*, wl_data_device*) {},                                                                 // drop
    [](void* data, wl_data_device*, wl_data_offer* offer) { Self(data).Selected(offer); },
};

const zwp_primary_selection_device_v1_listener kPrimaryDeviceListener = {
    [](void* data, zwp_primary_selection_device_v1*, zwp_primary_selection_offer_v1* offer) {
      zwp_primary_selection_offer_v1_add_listener(offer, &kPrimaryOfferListener, data);
      Self(data).Offered(offer);
    },
    [](void* data, zwp_primary_selection_device_v1*, zwp_primary_selection_offer_v1* offer) {
      Self(data).Selected(offer);
    },
};

const wl_registry_listener kRegistryListener = {
    [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
      Self(data).Global(registry, name, interface, version);
    },
    [](void*, wl_registry*, uint32_t) {},
};

}  // namespace

WaylandSelection::WaylandSelection(wl_display* display, wl_seat* seat, Which which)
    : display_(display), seat_(seat), which_(which) {
  if (!display_ || !seat_) return;
  queue_ = wl_display_create_queue(display_);
  auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display_));
  wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue_);
  registry_ = wl_display_get_registry(wrapper);
  wl_proxy_wrapper_destroy(wrapper);
  wl_registry_add_listener(registry_, &kRegistryListener, this);
  wl_display_roundtrip_queue(display_, queue_);  // the globals
  if (manager_) {
    device_ = wl_data_device_manager_get_data_device(manager_, seat_);
    wl_data_device_add_listener(device_, &kDeviceListener, this);
  }
  if (primaryManager_) {
    primaryDevice_ = zwp_primary_selection_device_manager_v1_get_device(primaryManager_, seat_);
    zwp_primary_selection_device_v1_add_listener(primaryDevice_, &kPrimaryDeviceListener, this);
  }
  wl_display_flush(display_);  // the selection comes with the keyboard focus, read at the next Read
}

WaylandSelection::~WaylandSelection() {
  while (!offers_.empty()) Destroy(offers_.begin()->first);
  if (device_) wl_data_device_destroy(device_);
  if (manager_) wl_data_device_manager_destroy(manager_);
  if (primaryDevice_) zwp_primary_selection_device_v1_destroy(primaryDevice_);
  if (primaryManager_) zwp_primary_selection_device_manager_v1_destroy(primaryManager_);
  if (registry_) wl_registry_destroy(registry_);
  if (queue_) wl_event_queue_destroy(queue_);
}

void WaylandSelection::Global(wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
  const std::string_view what(interface);
  if (which_ == Which::Clipboard && what == wl_data_device_manager_interface.name) {
    manager_ = static_cast<wl_data_device_manager*>(
        wl_registry_bind(registry, name, &wl_data_device_manager_interface, std::min(version, 3u)));
  }
  if (which_ == Which::Primary && what == zwp_primary_selection_device_manager_v1_interface.name) {
    primaryManager_ = static_cast<zwp_primary_selection_device_manager_v1*>(
        wl_registry_bind(registry, name, &zwp_primary_selection_device_manager_v1_interface, 1));
  }
}

void WaylandSelection::Offered(void* proxy) { offers_[proxy].proxy = proxy; }

void WaylandSelection::Typed(void* proxy, const char* type) { offers_[proxy].types.emplace_back(type); }

void WaylandSelection::Selected(void* proxy) {
  // Offers made for drags, and the selection this one replaces, are of no
  // more use.
  std::vector<void*> old;
  for (const auto& [p, offer] : offers_) {
    if (p != proxy) old.push_back(p);
  }
  for (void* p : old) Destroy(p);
  selection_ = proxy;
  told_ = true;
}

void WaylandSelection::Destroy(void* proxy) {
  if (offers_.erase(proxy) == 0) return;
  if (which_ == Which::Clipboard) {
    wl_data_offer_destroy(static_cast<wl_data_offer*>(proxy));
  } else {
    zwp_primary_selection_offer_v1_destroy(static_cast<zwp_primary_selection_offer_v1*>(proxy));
  }
  if (selection_ == proxy) selection_ = nullptr;
}

void WaylandSelection::Settle() {
  if (queue_) wl_display_dispatch_queue_pending(display_, queue_);
}

std::optional<std::u16string> WaylandSelection::Read(std::chrono::milliseconds budget) {
  if (!queue_ || (!device_ && !primaryDevice_)) return std::nullopt;
  const Clock::time_point deadline = Clock::now() + budget;
  // What the compositor has said since the last read.
  if (wl_display_roundtrip_queue(display_, queue_) < 0) return std::nullopt;
  // Not yet told (the window has not had the keyboard focus since the
  // device was made): the selection is unknown, which is no empty text.
  if (!told_) return std::nullopt;
  const auto offer = offers_.find(selection_);
  if (!selection_ || offer == offers_.end()) return std::u16string();  // nothing offered: no text
  const std::vector<std::string>& types = offer->second.types;
  const auto* type = std::find_if(std::begin(kTypes), std::end(kTypes), [&](const char* t) {
    return std::find(types.begin(), types.end(), t) != types.end();
  });
  if (type == std::end(kTypes)) return std::u16string();  // an offer without text

  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;
  if (which_ == Which::Clipboard) {
    wl_data_offer_receive(static_cast<wl_data_offer*>(selection_), *type, fds[1]);
  } else {
    zwp_primary_selection_offer_v1_receive(static_cast<zwp_primary_selection_offer_v1*>(selection_), *type,
                                           fds[1]);
  }
  wl_display_flush(display_);
  close(fds[1]);
  std::string bytes;
  bool complete = false;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    pollfd fd{fds[0], POLLIN, 0};
    const int ready = poll(&fd, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    char chunk[65536];
    const ssize_t got = read(fds[0], chunk, sizeof chunk);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (got < 0) break;
    if (got == 0) {
      complete = true;
      break;
    }
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
  close(fds[0]);
  if (!complete) return std::nullopt;  // the owner did not write it all in time
  const auto size = static_cast<qsizetype>(bytes.size());
  const QString text = std::string_view(*type) == "STRING" ? QString::fromLatin1(bytes.data(), size)
                                                           : QString::fromUtf8(bytes.data(), size);
  return text.toStdU16String();
}
