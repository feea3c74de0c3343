// SPDX-License-Identifier: MIT
#include "Win32Announce.h"

#include <oleauto.h>
#include <unknwn.h>

#include "Win32Handles.h"

namespace {

// Not in every SDK's headers (MinGW's lack the event, and its header does
// not compile as C++): the values of UIAutomationCoreApi.h. The provider
// is only handed on, so it is held as the IUnknown it is.
enum NotificationKind { NotificationKind_ActionCompleted = 2 };
enum NotificationProcessing { NotificationProcessing_All = 2 };
using HostProvider = HRESULT(WINAPI*)(HWND, IUnknown**);
using RaiseEvent = HRESULT(WINAPI*)(IUnknown*, NotificationKind, NotificationProcessing, BSTR, BSTR);

}  // namespace

bool RaiseNotification(HWND window, const std::u16string& text) {
  if (!window) return false;
  // Looked up at each use: older systems lack the event, and results are
  // rare enough that a loaded module's count is all it costs.
  const Module uia(LoadLibraryW(L"uiautomationcore.dll"));
  if (!uia) return false;
  const auto host = reinterpret_cast<HostProvider>(
      reinterpret_cast<void (*)()>(GetProcAddress(uia.get(), "UiaHostProviderFromHwnd")));
  const auto raise = reinterpret_cast<RaiseEvent>(
      reinterpret_cast<void (*)()>(GetProcAddress(uia.get(), "UiaRaiseNotificationEvent")));
  if (!host || !raise) return false;
  IUnknown* provider = nullptr;
  if (FAILED(host(window, &provider)) || !provider) return false;
  BSTR words =
      SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
  BSTR activity = SysAllocString(L"Nombrelix.Result");
  const HRESULT hr =
      raise(provider, NotificationKind_ActionCompleted, NotificationProcessing_All, words, activity);
  SysFreeString(activity);
  SysFreeString(words);
  provider->Release();
  return SUCCEEDED(hr);
}
