#pragma once

#include "foundation/NamedList.h"

#include <cstdint>
#include <vector>

namespace OvCore {

class OV_ACTOR;
struct OV_VIEW;

// The actors of the world and their life: created actors wait in
// pendingActors, are merged into actors at the end of the frame, and those
// listed in deadActors are reaped after that. Both keyed lists hold
// (class name, TakeActorId()) keys in insertion order; the registry owns
// every actor in them and deletes each once.
class OV_ACTOR_REGISTRY {
public:
    int32_t nextActorId = 0;
    OV_NAMED_LIST<OV_ACTOR*> actors;
    OV_NAMED_LIST<OV_ACTOR*> pendingActors;
    // Actors to delete this frame; the same actor may be listed repeatedly.
    std::vector<OV_ACTOR*> deadActors;

    OV_ACTOR_REGISTRY() = default;
    ~OV_ACTOR_REGISTRY();
    OV_ACTOR_REGISTRY(const OV_ACTOR_REGISTRY&) = delete;
    OV_ACTOR_REGISTRY& operator=(const OV_ACTOR_REGISTRY&) = delete;

    // The next id; a stored -1 counts as 0.
    int32_t TakeActorId();
    // Puts actor into pendingActors under (className, TakeActorId()). On
    // false (null actor, refused name, no memory) the caller keeps it.
    bool SpawnActor(const char* className, OV_ACTOR* actor);
    // Lists actor for deletion at the end of this frame.
    void KillActor(OV_ACTOR* actor);
    // Live actors whose key name is name (0 for null).
    uint32_t CountActors(const char* name) const;
    // Stable reorder so that depth never increases along actors; a depth
    // that is not a number counts as below every other.
    void SortActorsByDepth();

    // Appends every pending entry to actors, keys and all. A key already
    // live gets a fresh id rather than replacing the live actor.
    void MergePendingActors();
    // Deletes each listed actor that is live (OnDestroy(0) first), clears
    // the views that follow it, and empties deadActors.
    void ReapDeadActors(OV_NAMED_LIST<OV_VIEW>& views);
    // Every live actor gets OnDestroy(0) and is deleted, in order; pending
    // actors are deleted without it; the views following any lose it.
    void ClearActors(OV_NAMED_LIST<OV_VIEW>& views);

private:
    struct SortEntry {
        OV_NAMED_KEY key;
        OV_ACTOR* actor;
    };
    std::vector<SortEntry> sortScratch_;

    // The entry of actors for key, made when missing; a key taken by another
    // live actor is replaced by a fresh id first. Null when out of memory.
    OV_ACTOR** ClaimLiveSlot(OV_NAMED_KEY* key);
};

// Clears the target of every view that follows actor.
void ForgetViewTarget(OV_NAMED_LIST<OV_VIEW>& views, const OV_ACTOR* actor);

}  // namespace OvCore
