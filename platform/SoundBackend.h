// The sound player that lives in a module of its own, so that a game that stays silent never loads
// the multimedia libraries.
#pragma once

#include <string>

namespace kalido {

class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    // Starts the wave file without waiting; a file that cannot be played is silent.
    virtual void Play(const std::string& path) = 0;
    // Stops and releases every sound.
    virtual void CloseAll() = 0;
    // True once every sound has loaded or failed to: none is still being read.
    virtual bool Settled() const = 0;
    // True when the machine has an audio output, so that a sound can be heard at all.
    virtual bool HasOutput() const = 0;
};

// The module's one entry point: a new player, owned by the caller.
using CreateSoundBackend = SoundBackend* (*)();
inline constexpr const char* SoundModuleName = "kalido_sound";
inline constexpr const char* SoundModuleEntry = "kalido_create_sound_backend";

} // namespace kalido
