#include "sound/mixer_output.h"

#include <SDL.h>
#include <unistd.h>

namespace snd {

namespace {

constexpr char kSoundFont[] = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// SDL_mixer's finish callbacks are plain functions, one per process: the
// open mixer's hook is kept for them.
MixerOutput::FinishedHook finishedHook;

void ChannelDone(int channel) {
  if (finishedHook) finishedHook(channel);
}

void MusicDone() {
  if (finishedHook) finishedHook(-1);
}

}  // namespace

std::unique_ptr<MixerOutput> MixerOutput::Open(FinishedHook onFinished, std::string* error) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    *error = SDL_GetError();
    return nullptr;
  }
  Mix_Init(MIX_INIT_MID);
  // A sound font named by the user's environment wins over ours.
  if (!SDL_getenv("SDL_SOUNDFONTS") && access(kSoundFont, R_OK) == 0) {
    Mix_SetSoundFonts(kSoundFont);
  }
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
    *error = Mix_GetError();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  Mix_AllocateChannels(kChannelCount);
  finishedHook = onFinished;
  Mix_ChannelFinished(&ChannelDone);
  Mix_HookMusicFinished(&MusicDone);
  return std::unique_ptr<MixerOutput>(new MixerOutput());
}

MixerOutput::~MixerOutput() {
  Mix_ChannelFinished(nullptr);
  Mix_HookMusicFinished(nullptr);
  finishedHook = nullptr;
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  for (Mix_Chunk*& chunk : chunks_) {
    Mix_FreeChunk(chunk);
    chunk = nullptr;
  }
  Mix_FreeMusic(music_);
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool MixerOutput::Play(int channel, SoundKind kind, const std::string& posixPath,
                       int timesToPlay, std::string* error) {
  return kind == SoundKind::Music ? PlayMusic(posixPath, timesToPlay, error)
                                  : PlayChunk(channel, posixPath, timesToPlay, error);
}

// Loads first, so a file that cannot be decoded leaves the old sound playing.
bool MixerOutput::PlayMusic(const std::string& posixPath, int timesToPlay, std::string* error) {
  Mix_Music* music = Mix_LoadMUS(posixPath.c_str());
  if (!music) {
    *error = Mix_GetError();
    return false;
  }
  Mix_HaltMusic();
  Mix_FreeMusic(music_);
  music_ = music;
  if (Mix_PlayMusic(music_, timesToPlay) != 0) {
    *error = Mix_GetError();
    Mix_FreeMusic(music_);
    music_ = nullptr;
    return false;
  }
  return true;
}

bool MixerOutput::PlayChunk(int channel, const std::string& posixPath, int timesToPlay,
                            std::string* error) {
  Mix_Chunk* chunk = Mix_LoadWAV(posixPath.c_str());
  if (!chunk) {
    *error = Mix_GetError();
    return false;
  }
  Mix_HaltChannel(channel);
  Mix_FreeChunk(chunks_[channel]);
  chunks_[channel] = chunk;
  // The mixer counts repeats after the first play.
  const int repeats = timesToPlay < 0 ? -1 : timesToPlay - 1;
  if (Mix_PlayChannel(channel, chunk, repeats) < 0) {
    *error = Mix_GetError();
    Mix_FreeChunk(chunk);
    chunks_[channel] = nullptr;
    return false;
  }
  return true;
}

void MixerOutput::Stop(int channel, SoundKind kind) {
  if (kind == SoundKind::Music) {
    Mix_HaltMusic();
  } else {
    Mix_HaltChannel(channel);
    Collect(channel);
  }
}

void MixerOutput::Pause(int channel, SoundKind kind) {
  if (kind == SoundKind::Music) {
    Mix_PauseMusic();
  } else {
    Mix_Pause(channel);
  }
}

void MixerOutput::Resume(int channel, SoundKind kind) {
  if (kind == SoundKind::Music) {
    Mix_ResumeMusic();
  } else {
    Mix_Resume(channel);
  }
}

bool MixerOutput::Busy(int channel, SoundKind kind) {
  return kind == SoundKind::Music ? Mix_PlayingMusic() != 0 : Mix_Playing(channel) != 0;
}

void MixerOutput::Collect(int channel) {
  if (channel < 0 || channel >= kChannelCount || Mix_Playing(channel)) return;
  Mix_FreeChunk(chunks_[channel]);
  chunks_[channel] = nullptr;
}

}  // namespace snd
