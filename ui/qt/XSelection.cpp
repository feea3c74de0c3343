// SPDX-License-Identifier: MIT
#include "XSelection.h"

#include <poll.h>
#include <xcb/xcb.h>

#include <QString>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Owned = std::unique_ptr<T, FreeDeleter>;

// The next event that `match` accepts, or null when the deadline passes or
// the connection breaks; other events are dropped.
template <typename Match>
Owned<xcb_generic_event_t> WaitFor(xcb_connection_t* c, Clock::time_point deadline, Match match) {
  for (;;) {
    while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
      Owned<xcb_generic_event_t> event(e);
      if (match(*event)) return event;
    }
    if (xcb_connection_has_error(c)) return nullptr;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return nullptr;
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left));
  }
}

int Type(const xcb_generic_event_t& e) { return e.response_type & ~0x80; }

}  // namespace

XSelection::XSelection(const char* display, Which which) {
  connection_ = xcb_connect(display, nullptr);
  if (xcb_connection_has_error(connection_)) return;
  root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
  selection_ = which == Which::Clipboard ? Atom("CLIPBOARD") : uint32_t{XCB_ATOM_PRIMARY};
  property_ = Atom("NOMBRELIX_SELECTION");
  incr_ = Atom("INCR");
}

XSelection::~XSelection() {
  if (connection_) xcb_disconnect(connection_);
}

uint32_t XSelection::Atom(const char* name) {
  const auto cookie = xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name);
  Owned<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection_, cookie, nullptr));
  return reply ? reply->atom : uint32_t{XCB_ATOM_NONE};
}

std::optional<std::u16string> XSelection::Read(std::chrono::milliseconds budget) {
  xcb_connection_t* c = connection_;
  if (!c || xcb_connection_has_error(c) || selection_ == XCB_ATOM_NONE) return std::nullopt;
  const Clock::time_point deadline = Clock::now() + budget;

  Owned<xcb_get_selection_owner_reply_t> owner(
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection_), nullptr));
  if (!owner) return std::nullopt;
  if (owner->owner == XCB_NONE) return std::u16string();  // nobody holds it: no text

  // A new window for each read, so that a late answer to an earlier read
  // that timed out cannot be taken for this one.
  const xcb_window_t window = xcb_generate_id(c);
  const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window, root_, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                    XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
  struct Destroy {
    xcb_connection_t* c;
    xcb_window_t w;
    ~Destroy() {
      xcb_destroy_window(c, w);
      xcb_flush(c);
    }
  } destroy{c, window};

  // The next chunk of the property, deleted as it is read.
  auto take = [&](std::string& bytes, uint32_t* type) {
    Owned<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 1, window, property_, XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4), nullptr));
    if (!reply) return false;
    if (type) *type = reply->type;
    const auto length = static_cast<std::size_t>(xcb_get_property_value_length(reply.get()));
    bytes.append(static_cast<const char*>(xcb_get_property_value(reply.get())), length);
    return true;
  };

  const char* targets[] = {"UTF8_STRING", "text/plain;charset=utf-8", "STRING"};
  for (const char* name : targets) {
    const uint32_t target = name == targets[2] ? uint32_t{XCB_ATOM_STRING} : Atom(name);
    xcb_convert_selection(c, window, selection_, target, property_, XCB_CURRENT_TIME);
    xcb_flush(c);
    Owned<xcb_generic_event_t> notify = WaitFor(c, deadline, [&](const xcb_generic_event_t& e) {
      return Type(e) == XCB_SELECTION_NOTIFY &&
             reinterpret_cast<const xcb_selection_notify_event_t&>(e).requestor == window;
    });
    if (!notify) return std::nullopt;  // no answer in time
    if (reinterpret_cast<xcb_selection_notify_event_t*>(notify.get())->property == XCB_NONE) {
      continue;  // not in this form
    }
    std::string bytes;
    uint32_t type = 0;
    if (!take(bytes, &type)) return std::nullopt;
    if (type == incr_) {
      // Large texts come in chunks, each announced by a new value; an empty
      // chunk ends the transfer.
      bytes.clear();
      for (;;) {
        Owned<xcb_generic_event_t> chunk = WaitFor(c, deadline, [&](const xcb_generic_event_t& e) {
          const auto& p = reinterpret_cast<const xcb_property_notify_event_t&>(e);
          return Type(e) == XCB_PROPERTY_NOTIFY && p.window == window && p.atom == property_ &&
                 p.state == XCB_PROPERTY_NEW_VALUE;
        });
        if (!chunk) return std::nullopt;  // the transfer broke off
        const std::size_t before = bytes.size();
        if (!take(bytes, nullptr)) return std::nullopt;
        if (bytes.size() == before) break;
      }
    }
    const QString text = target == XCB_ATOM_STRING
                             ? QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()))
                             : QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return text.toStdU16String();
  }
  return std::u16string();  // an owner without text (an image only)
}
