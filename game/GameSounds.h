#pragma once

#include "ovcore/audio/SoundHandle.h"
#include "ovcore/foundation/NamedList.h"

namespace OvCore {

// The game's sounds: effects of the core's audio manager kept under names
// ("gib1" ... "gib4", "jump1") and played by name.
class GameSounds {
public:
    // Sees the name of every sound the game asks to play, played or not.
    using Observer = void (*)(const char* name);

    OV_NAMED_LIST<OV_SOUND_HANDLE> handles;

    // Loads path as an effect of core.audio into the entry name (made when
    // missing). False when it cannot be loaded; the entry then holds an
    // invalid handle, which plays nothing.
    bool Load(const char* name, const char* path);
    // Plays the effect under name; false when there is none or it is gone.
    // Never adds an entry.
    bool Play(const char* name);
    // Null removes it.
    void SetObserver(Observer observer) { observer_ = observer; }

private:
    Observer observer_ = nullptr;
};

// The game's one sound collection, made on first use.
GameSounds& Sounds();

}  // namespace OvCore
