// SPDX-License-Identifier: MIT
#include "Win32Announce.h"

#include <oleauto.h>
#include <uiautomationcoreapi.h>

#include "Win32Handles.h"

namespace {

// Not in every SDK's headers (MinGW's lack them): the values of
// UIAutomationCoreApi.h.
enum NotificationKind { NotificationKind_ActionCompleted = 2 };
enum NotificationProcessing { NotificationProcessing_All = 2 };
using HostProvider = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
using RaiseEvent = HRESULT(WINAPI*)(IRawElementProviderSimple*, NotificationKind, NotificationProcessing, BSTR,
                                    BSTR);

}  // namespace

bool RaiseNotification(HWND window, const std::u16string& text) {
  // Looked up at each use: older systems lack the event, and results are
  // rare enough that a loaded module's count is all it costs.
  const Module uia(LoadLibraryW(L"uiautomationcore.dll"));
  if (!uia) return false;
  const auto host = reinterpret_cast<HostProvider>(
      reinterpret_cast<void (*)()>(GetProcAddress(uia.get(), "UiaHostProviderFromHwnd")));
  const auto raise = reinterpret_cast<RaiseEvent>(
      reinterpret_cast<void (*)()>(GetProcAddress(uia.get(), "UiaRaiseNotificationEvent")));
  if (!host || !raise) return false;
  IRawElementProviderSimple* provider = nullptr;
  if (FAILED(host(window, &provider)) || !provider) return false;
  BSTR words = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
  BSTR activity = SysAllocString(L"Nombrelix.Result");
  const HRESULT hr = raise(provider, NotificationKind_ActionCompleted, NotificationProcessing_All, words, activity);
  SysFreeString(activity);
  SysFreeString(words);
  provider->Release();
  return SUCCEEDED(hr);
}
