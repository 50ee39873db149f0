#include "game/GameSounds.h"

#include "ovcore/app/Core.h"

namespace OvCore {

bool GameSounds::Load(const char* name, const char* path) {
    OV_SOUND_HANDLE* entry = handles.Get(name, 0);
    if (!entry) return false;
    *entry = path ? core.audio.LoadEffect(path) : OV_SOUND_HANDLE{};
    return !entry->IsInvalid();
}

bool GameSounds::Play(const char* name) {
    if (observer_ && name) observer_(name);
    const OV_SOUND_HANDLE* entry = handles.Access(FIND, name, 0).Value();
    return entry && core.audio.PlayEffect(*entry);
}

GameSounds& Sounds() {
    static GameSounds sounds;
    return sounds;
}

}  // namespace OvCore
