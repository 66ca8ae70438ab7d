#include "viewer/host_link.h"

#include "platform/win/win.h"
#include "protocol/windows.h"

namespace lcd {

bool HostLink::Post(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  if (host_ && plat::PostMessageA(host_, message, wParam, lParam)) return true;
  host_ = plat::FindWindowA(kHostClass, kHostTitle);
  return host_ && plat::PostMessageA(host_, message, wParam, lParam);
}

}  // namespace lcd
