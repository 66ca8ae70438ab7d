#include "viewer/sdl_display.h"

#include <algorithm>
#include <cstdio>

#include "drive/input_map.h"
#include "platform/sys/clock.h"
#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/windows.h"
#include "viewer/screenshot.h"
#include "viewer/sdl_input.h"

namespace lcd {

namespace {

// User event codes from the window thread.
enum : int { kFrameEvent = 1, kModeEvent = 2, kClosingEvent = 3 };

constexpr plat::WPARAM kLeftButtonFlag = 1;  // MK_LBUTTON

}  // namespace

// True when the point lies on one of the displays, so that a window placed
// there is seen (a saved place may be on a monitor no longer plugged in).
bool OnSomeDisplay(int x, int y) {
  const SDL_Point point{x, y};
  for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(i, &bounds) == 0 && SDL_PointInRect(&point, &bounds)) return true;
  }
  return false;
}

std::unique_ptr<SdlDisplay> SdlDisplay::Open(const ViewerOptions& options,
                                             const ViewerSettings& settings,
                                             std::string settingsPath, drive::LcdFrame& frame,
                                             std::string* error) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    *error = SDL_GetError();
    return nullptr;
  }
  std::unique_ptr<SdlDisplay> display(
      new SdlDisplay(options, settings, std::move(settingsPath), frame));
  display->eventType_ = SDL_RegisterEvents(1);
  if (display->eventType_ == uint32_t(-1) || !display->CreateWindow()) {
    *error = SDL_GetError();
    return nullptr;
  }
  display->gamepads_ = std::make_unique<Gamepads>(settings.gamepad);
  SDL_StartTextInput();
  return display;
}

SdlDisplay::SdlDisplay(const ViewerOptions& options, const ViewerSettings& settings,
                       std::string settingsPath, drive::LcdFrame& frame)
    : saved_(settings),
      run_(ApplyOptions(settings, options)),
      settingsPath_(std::move(settingsPath)),
      frame_(frame),
      width_(options.width),
      height_(options.height),
      scale_(run_.scale ? run_.scale : DefaultScale(options.width, options.height)),
      scaleChosen_(run_.scale != 0) {}

bool SdlDisplay::CreateWindow() {
  int x = SDL_WINDOWPOS_UNDEFINED;
  int y = SDL_WINDOWPOS_UNDEFINED;
  if (run_.x && run_.y && OnSomeDisplay(*run_.x, *run_.y)) {
    x = *run_.x;
    y = *run_.y;
  }
  const Uint32 flags = run_.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
  window_ = SDL_CreateWindow(kLcdTitle, x, y, width_ * scale_, height_ * scale_, flags);
  // No vertical sync: presenting must never hold anything up.
  if (window_) renderer_ = SDL_CreateRenderer(window_, -1, 0);
  return renderer_ != nullptr;
}

SdlDisplay::~SdlDisplay() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlDisplay::Push(int code, int width, int height) {
  SDL_Event event{};
  event.type = eventType_;
  event.user.code = code;
  event.user.data1 = reinterpret_cast<void*>(intptr_t(width));
  event.user.data2 = reinterpret_cast<void*>(intptr_t(height));
  SDL_PushEvent(&event);
}

// One wake-up stands for any number of frames: the display shows the newest.
void SdlDisplay::FrameReady() {
  if (!framePending_.exchange(true)) Push(kFrameEvent);
}

void SdlDisplay::ModeChanged(int width, int height) { Push(kModeEvent, width, height); }

void SdlDisplay::Closing() { Push(kClosingEvent); }

void SdlDisplay::Run(plat::HWND viewerWindow) {
  SDL_Event event;
  while (SDL_WaitEvent(&event)) {
    if (event.type != eventType_) {
      HandleEvent(event, viewerWindow);
    } else if (event.user.code == kClosingEvent) {
      break;
    } else if (event.user.code == kModeEvent) {
      Resize(int(intptr_t(event.user.data1)), int(intptr_t(event.user.data2)));
    } else {
      framePending_ = false;
      Present();
    }
  }
  SaveSettings();
}

void SdlDisplay::HandleEvent(const SDL_Event& event, plat::HWND viewerWindow) {
  switch (event.type) {
    case SDL_QUIT:
      // Closing the screen ends the simulation: the host closes, and our
      // window follows at once in case there is no host.
      host_.Post(plat::WM_CLOSE, 0, 0);
      plat::PostMessageA(viewerWindow, plat::WM_CLOSE, 0, 0);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: HandleKey(event.key); break;
    case SDL_TEXTINPUT: HandleText(event.text); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: HandleButton(event.button); break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
          event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        Present();
      }
      break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
      for (const PadKey& pad : gamepads_->Handle(event)) PostKey(pad.key, pad.up, false);
      break;
    default: break;
  }
}

void SdlDisplay::PostKey(const drive::VirtualKey& key, bool up, bool repeat) {
  const uint32_t data = drive::KeyData(key, up, repeat);
  if (!up) lastKeyData_ = data;
  host_.Post(up ? plat::WM_KEYUP : plat::WM_KEYDOWN, plat::WPARAM(key.code), plat::LPARAM(data));
}

void SdlDisplay::Present() {
  const plat::Image image = frame_.Snapshot();
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  if (!image.pixels.empty()) {
    int textureWidth = 0;
    int textureHeight = 0;
    if (texture_) SDL_QueryTexture(texture_, nullptr, nullptr, &textureWidth, &textureHeight);
    if (!texture_ || textureWidth != image.width || textureHeight != image.height) {
      if (texture_) SDL_DestroyTexture(texture_);
      // XRGB: the pixels' top byte is not read.
      SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
      texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                   image.width, image.height);
    }
    if (texture_) {
      SDL_UpdateTexture(texture_, nullptr, image.pixels.data(), image.width * 4);
      int outputWidth = 0;
      int outputHeight = 0;
      SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
      place_ = PlacePicture(outputWidth, outputHeight, image.width, image.height);
      const SDL_Rect target{place_.x, place_.y, place_.width, place_.height};
      SDL_RenderCopy(renderer_, texture_, nullptr, &target);
    }
  }
  SDL_RenderPresent(renderer_);
}

void SdlDisplay::Resize(int width, int height) {
  width_ = width;
  height_ = height;
  if (!scaleChosen_) scale_ = DefaultScale(width, height);
  SDL_SetWindowSize(window_, width_ * scale_, height_ * scale_);
  Present();
}

void SdlDisplay::HandleKey(const SDL_KeyboardEvent& event) {
  const bool up = event.type == SDL_KEYUP;
  const SDL_Keycode key = event.keysym.sym;
  // The viewer's own keys act once per press, never on auto-repeat, and
  // never reach the host.
  if (std::optional<Hotkey> hotkey = HotkeyOf(key, event.keysym.mod)) {
    if (!up && !event.repeat) HandleHotkey(*hotkey);
    return;
  }
  // Auto-repeat reaches the host as repeated key-downs, as on the device.
  std::optional<drive::VirtualKey> virtualKey = MapKey(key);
  if (virtualKey) PostKey(*virtualKey, up, event.repeat != 0);
}

void SdlDisplay::HandleHotkey(Hotkey hotkey) {
  switch (hotkey) {
    case Hotkey::kMark: host_.Post(kHostMarkMessage, 0, 0); break;
    case Hotkey::kScreenshot: SaveShot(); break;
    case Hotkey::kFullscreen: ToggleFullscreen(); break;
    case Hotkey::kBigger: ChangeScale(1); break;
    case Hotkey::kSmaller: ChangeScale(-1); break;
  }
}

void SdlDisplay::ChangeScale(int step) {
  scale_ = std::clamp(scale_ + step, 1, kMaxScale);
  scaleChosen_ = true;
  saved_.scale = scale_;
  Resize(width_, height_);
}

void SdlDisplay::ToggleFullscreen() {
  const bool fullscreen = !(SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP);
  // The windowed place is what the next start restores.
  if (fullscreen) RememberWindowPlace();
  if (SDL_SetWindowFullscreen(window_, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
    std::fprintf(stderr, "Lcd: cannot switch fullscreen: %s\n", SDL_GetError());
    return;
  }
  saved_.fullscreen = fullscreen;
  Present();
}

void SdlDisplay::RememberWindowPlace() {
  int x = 0;
  int y = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  saved_.x = x;
  saved_.y = y;
}

void SdlDisplay::SaveSettings() {
  if (settingsPath_.empty()) return;
  if (!(SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP)) RememberWindowPlace();
  std::string error;
  if (!SaveViewerSettings(settingsPath_, saved_, &error)) {
    std::fprintf(stderr, "Lcd: settings not kept: %s\n", error.c_str());
  }
}

void SdlDisplay::HandleText(const SDL_TextInputEvent& event) {
  for (const drive::ForwardedChar& typed : drive::TextToChars(event.text, lastKeyData_)) {
    host_.Post(kHostCharMessage, typed.wParam, plat::LPARAM(typed.lParam));
  }
  lastKeyData_ = 1;
}

void SdlDisplay::HandleButton(const SDL_MouseButtonEvent& event) {
  if (event.button != SDL_BUTTON_LEFT) return;
  int screenWidth = 0;
  int screenHeight = 0;
  frame_.ShownSize(&screenWidth, &screenHeight);
  if (screenWidth == 0) {
    screenWidth = width_;
    screenHeight = height_;
  }
  const uint32_t where =
      drive::PointerData(WindowToScreen(event.x, place_.x, place_.factor, screenWidth),
                         WindowToScreen(event.y, place_.y, place_.factor, screenHeight));
  if (event.type == SDL_MOUSEBUTTONUP) {
    host_.Post(plat::WM_LBUTTONUP, 0, plat::LPARAM(where));
    return;
  }
  // Every second click of a quick series is a double click, as on the
  // original platform.
  const plat::UINT message =
      event.clicks >= 2 && event.clicks % 2 == 0 ? plat::WM_LBUTTONDBLCLK : plat::WM_LBUTTONDOWN;
  host_.Post(message, kLeftButtonFlag, plat::LPARAM(where));
}

void SdlDisplay::SaveShot() {
  std::string error;
  const std::string path =
      SaveScreenshot(frame_.Snapshot(), run_.shotsDir.empty() ? "." : run_.shotsDir, plat::CalendarTime(), &error);
  if (path.empty()) {
    std::fprintf(stderr, "Lcd: no screenshot: %s\n", error.c_str());
  } else {
    std::fprintf(stderr, "Lcd: saved %s\n", path.c_str());
  }
}

}  // namespace lcd
