// SPDX-License-Identifier: MIT
#include "QtClipboard.h"

#include <QGuiApplication>
#include <QMimeData>

#ifdef NOMBRELIX_HAVE_XCB
#include "XSelection.h"
#endif
#ifdef NOMBRELIX_HAVE_WAYLAND
#include "WaylandSelection.h"
#endif
#include "Platform.h"

QtClipboard::QtClipboard(QClipboard& clipboard, QClipboard::Mode mode)
    : clipboard_(clipboard), mode_(mode), server_(CurrentDisplayServer()) {
#ifdef NOMBRELIX_HAVE_WAYLAND
  // Made before the window is shown: a compositor tells a device the
  // selection when its window gets the keyboard focus (GNOME only then), so
  // a reader made at the first Paste would hear nothing until the focus
  // left and came back.
  if (server_ == DisplayServer::Wayland &&
      (mode_ == QClipboard::Clipboard || clipboard_.supportsSelection())) {
    const WaylandHandles toolkit = ToolkitWayland();
    wlReader_ =
        std::make_unique<WaylandSelection>(toolkit.display, toolkit.seat,
                                           mode_ == QClipboard::Clipboard ? WaylandSelection::Which::Clipboard
                                                                          : WaylandSelection::Which::Primary);
    settling_ = QObject::connect(&clipboard_, &QClipboard::changed, [this](QClipboard::Mode changed) {
      if (changed == mode_) wlReader_->Settle();
    });
  }
#endif
}

QtClipboard::~QtClipboard() { QObject::disconnect(settling_); }

bool QtClipboard::Owned() const {
  return mode_ == QClipboard::Clipboard ? clipboard_.ownsClipboard() : clipboard_.ownsSelection();
}

bool QtClipboard::Clear() {
  clipboard_.clear(mode_);
  return true;  // giving the selection up cannot fail
}

bool QtClipboard::SetText(const std::u16string& text) {
  clipboard_.setText(QString::fromStdU16String(text), mode_);
  // On X11 the text is only on the clipboard while this program owns it;
  // the toolkit warns and goes on when the server refused the ownership.
  return server_ != DisplayServer::X11 || Owned();
}

std::optional<std::u16string> QtClipboard::GetText() {
  // No primary selection on this platform (most Wayland compositors,
  // Windows): there is nothing to read, which is no empty text.
  if (mode_ == QClipboard::Selection && !clipboard_.supportsSelection()) return std::nullopt;
#ifdef NOMBRELIX_HAVE_XCB
  if (server_ == DisplayServer::X11 && !Owned()) {
    if (!reader_) {
      reader_ = std::make_unique<XSelection>(
          ToolkitXDisplayName().constData(),
          mode_ == QClipboard::Clipboard ? XSelection::Which::Clipboard : XSelection::Which::Primary);
    }
    return reader_->Read(kReadBudget);
  }
#endif
#ifdef NOMBRELIX_HAVE_WAYLAND
  if (wlReader_ && !Owned()) return wlReader_->Read(kReadBudget);
#endif
  // Our own text, or a platform whose toolkit read is all there is.
  const QMimeData* data = clipboard_.mimeData(mode_);
  if (!data || !data->hasText()) return std::u16string();
  return data->text().toStdU16String();
}
