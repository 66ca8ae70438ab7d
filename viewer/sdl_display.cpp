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

std::unique_ptr<SdlDisplay> SdlDisplay::Open(const ViewerOptions& options, drive::LcdFrame& frame,
                                             std::string* error) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    *error = SDL_GetError();
    return nullptr;
  }
  std::unique_ptr<SdlDisplay> display(new SdlDisplay(options, frame));
  display->eventType_ = SDL_RegisterEvents(1);
  display->window_ = SDL_CreateWindow(kLcdTitle, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                      display->width_ * display->scale_,
                                      display->height_ * display->scale_, 0);
  if (display->window_) {
    // No vertical sync: presenting must never hold anything up.
    display->renderer_ = SDL_CreateRenderer(display->window_, -1, 0);
  }
  if (display->eventType_ == uint32_t(-1) || !display->renderer_) {
    *error = SDL_GetError();
    return nullptr;
  }
  SDL_StartTextInput();
  return display;
}

SdlDisplay::SdlDisplay(const ViewerOptions& options, drive::LcdFrame& frame)
    : options_(options),
      frame_(frame),
      width_(options.width),
      height_(options.height),
      scale_(options.scale ? options.scale : DefaultScale(options.width, options.height)),
      scaleChosen_(options.scale != 0) {}

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
    if (event.type == eventType_) {
      if (event.user.code == kClosingEvent) return;
      if (event.user.code == kModeEvent) {
        Resize(int(intptr_t(event.user.data1)), int(intptr_t(event.user.data2)));
      } else {
        framePending_ = false;
        Present();
      }
      continue;
    }
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
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED) Present();
        break;
      default: break;
    }
  }
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
      const SDL_Rect target{0, 0, image.width * scale_, image.height * scale_};
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
  if (!up && key == SDLK_F12) {
    SaveShot();
    return;
  }
  if (!up && (key == SDLK_PLUS || key == SDLK_EQUALS || key == SDLK_KP_PLUS ||
              key == SDLK_MINUS || key == SDLK_KP_MINUS)) {
    const bool bigger = key == SDLK_PLUS || key == SDLK_EQUALS || key == SDLK_KP_PLUS;
    scale_ = std::clamp(scale_ + (bigger ? 1 : -1), 1, kMaxScale);
    scaleChosen_ = true;
    Resize(width_, height_);
    return;
  }
  std::optional<drive::VirtualKey> virtualKey = MapKey(key);
  if (!virtualKey) return;
  const uint32_t data = drive::KeyData(*virtualKey, up, event.repeat != 0);
  if (!up) lastKeyData_ = data;
  host_.Post(up ? plat::WM_KEYUP : plat::WM_KEYDOWN, plat::WPARAM(virtualKey->code),
             plat::LPARAM(data));
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
  const uint32_t where = drive::PointerData(WindowToScreen(event.x, scale_, screenWidth),
                                     WindowToScreen(event.y, scale_, screenHeight));
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
      SaveScreenshot(frame_.Snapshot(), options_.shotsDir, plat::CalendarTime(), &error);
  if (path.empty()) {
    std::fprintf(stderr, "Lcd: no screenshot: %s\n", error.c_str());
  } else {
    std::fprintf(stderr, "Lcd: saved %s\n", path.c_str());
  }
}

}  // namespace lcd
