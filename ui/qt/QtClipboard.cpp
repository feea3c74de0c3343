#include "QtClipboard.h"

#include <QClipboard>
#include <QMimeData>

bool QtClipboard::Clear() {
  clipboard_.clear(mode_);
  return true;
}

bool QtClipboard::SetText(const std::u16string& text) {
  clipboard_.setText(QString::fromStdU16String(text), mode_);
  return true;
}

std::optional<std::u16string> QtClipboard::GetText() {
  const QMimeData* data = clipboard_.mimeData(mode_);
  if (!data || !data->hasText()) return std::u16string();
  return data->text().toStdU16String();
}
