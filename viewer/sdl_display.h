#pragma once
// The viewer's SDL window: presents the frames the window thread copied,
// scaled by whole factors without smoothing, and forwards the user's keys,
// characters and clicks to the host.
//
// It runs on the main thread and blocks in SDL_WaitEvent; the window thread
// wakes it with user events (a new frame, a new mode, closing), so neither
// side polls and the host never waits for the display.

#include <SDL.h>

#include <atomic>
#include <memory>
#include <string>

#include "drive/lcd_frame.h"
#include "viewer/gamepads.h"
#include "viewer/host_link.h"
#include "viewer/picture_place.h"
#include "viewer/sdl_input.h"
#include "viewer/viewer_options.h"
#include "viewer/viewer_settings.h"
#include "viewer/viewer_window.h"

namespace lcd {

class SdlDisplay final : public FrameListener {
 public:
  // Opens the window as `settings` (read from `settingsPath`, which may be
  // empty) and the command line say; null, with `error` set, when there is
  // no display.
  static std::unique_ptr<SdlDisplay> Open(const ViewerOptions& options,
                                          const ViewerSettings& settings,
                                          std::string settingsPath, drive::LcdFrame& frame,
                                          std::string* error);
  ~SdlDisplay() override;
  SdlDisplay(const SdlDisplay&) = delete;
  SdlDisplay& operator=(const SdlDisplay&) = delete;

  // Handles events until the window thread reports Closing, then writes the
  // settings file. `viewerWindow` is told to close when the user closes the
  // SDL window.
  void Run(plat::HWND viewerWindow);

  // FrameListener, called on the window thread.
  void FrameReady() override;
  void ModeChanged(int width, int height) override;
  void Closing() override;

 private:
  SdlDisplay(const ViewerOptions& options, const ViewerSettings& settings,
             std::string settingsPath, drive::LcdFrame& frame);
  bool CreateWindow();
  void Push(int code, int width = 0, int height = 0);
  void Present();
  void Resize(int width, int height);
  void HandleEvent(const SDL_Event& event, plat::HWND viewerWindow);
  void HandleKey(const SDL_KeyboardEvent& event);
  void PostKey(const drive::VirtualKey& key, bool up, bool repeat);
  void HandleHotkey(Hotkey hotkey);
  void ChangeScale(int step);
  void ToggleFullscreen();
  void RememberWindowPlace();
  void SaveSettings();
  void HandleButton(const SDL_MouseButtonEvent& event);
  void HandleText(const SDL_TextInputEvent& event);
  void SaveShot();

  // What the file will say (changed by the user's keys), and what this run
  // uses (the file's with the command line's options).
  ViewerSettings saved_;
  ViewerSettings run_;
  const std::string settingsPath_;
  drive::LcdFrame& frame_;
  HostLink host_;
  uint32_t eventType_ = 0;
  std::atomic<bool> framePending_{false};

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  std::unique_ptr<Gamepads> gamepads_;
  int width_;
  int height_;
  int scale_;
  bool scaleChosen_;
  PicturePlace place_;
  uint32_t lastKeyData_ = 1;
};

}  // namespace lcd
